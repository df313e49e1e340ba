// The platform's exceptions: file failures as CFileException, out of memory as std::bad_alloc.
// Each can show its standard report, a sentence that states the cause.
#pragma once

#include "platform/CString.h"
#include "platform/MessageBox.h"

#include <exception>
#include <new>

class CException : public std::exception {
public:
    // The standard report, in the ANSI code page.
    virtual CString GetErrorMessage() const = 0;
    int ReportError(unsigned type = MB_OK) const { return AfxMessageBox(GetErrorMessage(), type); }
};

class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException(Cause cause, long osError, CString fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName))
    {
    }

    CString GetErrorMessage() const override;
    const char* what() const noexcept override { return "CFileException"; }

    // The cause that an error number of the system (errno, or GetLastError on Windows) stands for.
    static Cause OsErrorToCause(long osError);
    [[noreturn]] static void ThrowOsError(long osError, const CString& fileName);

    Cause m_cause;
    long m_lOsError;
    CString m_strFileName;
};

// The standard report of the memory exception.
void ReportOutOfMemory();

// Runs `action`; a file or memory exception raised inside is reported with its standard message
// and discarded. Returns false when that happened. Anything else passes on.
template <class Action>
bool ReportPlatformExceptions(Action&& action)
{
    try {
        action();
        return true;
    } catch (const CException& e) {
        e.ReportError();
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
    return false;
}
