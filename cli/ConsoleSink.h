// Messages of the converter on the terminal: the success message on stdout, every other one on
// stderr, in UTF-8 (on a Windows console, as wide text).
#pragma once

#include "platform/MessageBox.h"

#include <cstdio>
#include <string>

class CConsoleSink final : public IMessageSink {
public:
    int Show(const CString& text, unsigned type) override;

    bool SucceededMessageShown() const { return m_bSucceeded; }
    bool AnyMessageShown() const { return m_bAny; }

private:
    bool m_bSucceeded = false;
    bool m_bAny = false;
};

// Writes UTF-8 text to a stream of the terminal.
void WriteUtf8(std::FILE* stream, const std::string& text);
