// The application object of the window tests, set up like the program's before any test runs,
// so that dialogs find their resources, message boxes their caption and F1 its command map.
#pragma once

#include "platform/CString.h"
#include "platform/CWinApp_win32.h"

#include <vector>

class CTestApp : public CWinApp {
public:
    // Documents the Help command opened, instead of opening them.
    std::vector<CString> openedDocuments;

protected:
    const CommandMap& GetCommandMap() const override;
    void OpenDocument(const CString& path) override { openedDocuments.push_back(path); }
};

CTestApp& TheTestApp();
