// The one way a message reaches the user. Below the window nothing knows how it is shown: the
// window shows a message box, the command line prints, and tests record.
#pragma once

#include "platform/CString.h"

#ifdef _WIN32
#include <windows.h>
#else
// The values of the Windows message box types that the program uses.
#define MB_OK 0x00000000u
#define MB_ICONERROR 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONINFORMATION 0x00000040u
#define MB_ICONMASK 0x000000F0u
#define IDOK 1
#define IDCANCEL 2
#endif

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // `text` is in the ANSI code page; `type` is a combination of MB_ values. Returns the button.
    virtual int Show(const CString& text, unsigned type) = 0;
};

// Makes `sink` the receiver of every message until another is set; returns the one before.
// Null restores the default (stderr outside Windows, a plain message box on Windows).
IMessageSink* SetMessageSink(IMessageSink* sink);

int AfxMessageBox(const CString& text, unsigned type = MB_OK);

// Sets a sink for the length of a scope.
class CScopedMessageSink {
public:
    explicit CScopedMessageSink(IMessageSink& sink) : m_pPrevious(SetMessageSink(&sink)) {}
    ~CScopedMessageSink() { SetMessageSink(m_pPrevious); }
    CScopedMessageSink(const CScopedMessageSink&) = delete;
    CScopedMessageSink& operator=(const CScopedMessageSink&) = delete;

private:
    IMessageSink* m_pPrevious;
};
