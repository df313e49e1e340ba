#include "platform/MessageBox.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace {

class CDefaultSink final : public IMessageSink {
public:
    int Show(const CString& text, unsigned type) override
    {
#ifdef _WIN32
        if ((type & MB_ICONMASK) == 0)
            type |= MB_ICONEXCLAMATION;
        return ::MessageBoxA(nullptr, text.GetString(), nullptr, type);
#else
        (void)type;
        const std::string line = AnsiToUtf8(text);
        std::fprintf(stderr, "%s\n", line.c_str());
        return IDOK;
#endif
    }
};

CDefaultSink g_defaultSink;
IMessageSink* g_pSink = &g_defaultSink;

} // namespace

IMessageSink* SetMessageSink(IMessageSink* sink)
{
    IMessageSink* previous = g_pSink;
    g_pSink = sink ? sink : &g_defaultSink;
    return previous == &g_defaultSink ? nullptr : previous;
}

int AfxMessageBox(const CString& text, unsigned type)
{
    return g_pSink->Show(text, type);
}
