// The application: it runs the converter window as its one window and ends when that closes.
#pragma once

#include "platform/CWinApp_win32.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp() = default;

    BOOL InitInstance() override;

protected:
    const CommandMap& GetCommandMap() const override;
};
