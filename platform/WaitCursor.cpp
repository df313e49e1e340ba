#include "platform/WaitCursor.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
int g_activeCount = 0;
#ifdef _WIN32
HCURSOR g_hPrevious = nullptr;
#endif
} // namespace

CWaitCursor::CWaitCursor()
{
#ifdef _WIN32
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (g_activeCount == 0)
        g_hPrevious = previous;
#endif
    ++g_activeCount;
}

CWaitCursor::~CWaitCursor()
{
    --g_activeCount;
#ifdef _WIN32
    if (g_activeCount == 0)
        ::SetCursor(g_hPrevious ? g_hPrevious : ::LoadCursor(nullptr, IDC_ARROW));
#endif
}

int CWaitCursor::ActiveCount()
{
    return g_activeCount;
}
