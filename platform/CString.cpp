#include "platform/CString.h"

#include <cstdarg>
#include <cstdio>

namespace {

void AppendFormatted(std::string& out, const char* format, va_list args)
{
    // Most lines fit on the stack; a longer one is formatted a second time into the text itself.
    char buffer[512];
    va_list again;
    va_copy(again, args);
    const int needed = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (needed < 0) {
        va_end(again);
        return;
    }
    const auto length = static_cast<std::size_t>(needed);
    if (length < sizeof buffer) {
        out.append(buffer, length);
    } else {
        const std::size_t start = out.size();
        out.resize(start + length + 1);
        std::vsnprintf(&out[start], length + 1, format, again);
        out.resize(start + length);
    }
    va_end(again);
}

} // namespace

char* CString::GetBufferSetLength(std::size_t n)
{
    m_str.resize(n);
    return m_str.data();
}

void CString::ReleaseBuffer(std::size_t n)
{
    if (n < m_str.size())
        m_str.resize(n);
}

void CString::Format(const char* format, ...)
{
    std::string formatted;
    va_list args;
    va_start(args, format);
    AppendFormatted(formatted, format, args);
    va_end(args);
    m_str = std::move(formatted);
}

void CString::AppendFormatV(const char* format, va_list args)
{
    AppendFormatted(m_str, format, args);
}

void CString::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatted(m_str, format, args);
    va_end(args);
}

std::size_t CString::Replace(std::string_view from, std::string_view to)
{
    if (from.empty())
        return 0;
    std::size_t count = 0;
    for (std::size_t hit = m_str.find(from); hit != std::string::npos; hit = m_str.find(from, hit + from.size()))
        ++count;
    if (count == 0)
        return 0;
    // One pass into a new buffer of the final size keeps replace-all linear in the length of the
    // text, and touches no more memory than the result needs.
    std::string result;
    result.reserve(m_str.size() - count * from.size() + count * to.size());
    std::size_t done = 0;
    for (std::size_t hit = m_str.find(from); hit != std::string::npos; hit = m_str.find(from, done)) {
        result.append(m_str, done, hit - done);
        result.append(to);
        done = hit + from.size();
    }
    result.append(m_str, done, std::string::npos);
    m_str = std::move(result);
    return count;
}
