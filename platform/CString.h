// The text type of the whole program: a counted, growable byte string in the ANSI code page.
// It may hold zero bytes (a template read whole), and it never converts what it holds.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

#if defined(__GNUC__)
#define QUINTARO_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QUINTARO_PRINTF(fmt, args)
#endif

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* p, std::size_t n) : m_str(p, n) {}
    explicit CString(std::string s) : m_str(std::move(s)) {}
    explicit CString(std::string_view s) : m_str(s) {}

    std::size_t GetLength() const { return m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // Always zero-terminated; bytes after an embedded zero are still part of the text.
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }
    std::string_view View() const { return m_str; }

    // Room for exactly n bytes, to be filled by a read; ReleaseBuffer trims to what was filled.
    char* GetBufferSetLength(std::size_t n);
    void ReleaseBuffer(std::size_t n);

    void Reserve(std::size_t n) { m_str.reserve(n); }
    void Append(const char* p, std::size_t n) { m_str.append(p, n); }
    void AppendChar(char c) { m_str.push_back(c); }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const char* psz) { m_str += psz; return *this; }
    CString& operator+=(char c) { m_str += c; return *this; }

    // printf-style formatting into this text (replacing it). %s copies its argument byte for byte.
    void Format(const char* format, ...) QUINTARO_PRINTF(2, 3);
    // The same, appended to what the text already holds.
    void AppendFormat(const char* format, ...) QUINTARO_PRINTF(2, 3);
    void AppendFormatV(const char* format, va_list args) QUINTARO_PRINTF(2, 0);

    // Replaces every occurrence of `from`, scanning left to right and resuming behind each
    // insertion, so inserted text is never scanned again. Returns the number of replacements.
    std::size_t Replace(std::string_view from, std::string_view to);

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_str != b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == b; }
    friend bool operator!=(const CString& a, const char* b) { return a.m_str != b; }
    friend CString operator+(CString a, const CString& b) { a += b; return a; }
    friend CString operator+(CString a, const char* b) { a += b; return a; }

private:
    std::string m_str;
};
