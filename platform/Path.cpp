#include "platform/Path.h"

#include "platform/CodePage.h"

#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
// Paths are in the ANSI code page: a lead byte takes the next byte with it.
bool StartsDoubleByte(char c) { return IsAnsiLeadByte(static_cast<unsigned char>(c)); }
#else
constexpr char kSeparator = '/';
bool IsSeparator(char c) { return c == '/'; }
// File names here are the file system's own bytes, whatever their encoding.
bool StartsDoubleByte(char) { return false; }
#endif

struct PathParts {
    std::size_t lastSeparator = std::string::npos; // position of the separator before the name
    std::size_t extension = std::string::npos;     // position of the dot of the name's extension
};

PathParts Split(std::string_view path)
{
    PathParts parts;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (IsSeparator(c)) {
            parts.lastSeparator = i;
            parts.extension = std::string::npos;
        } else if (c == '.') {
            parts.extension = i;
        } else if (c == ' ') {
            // Windows does not count a dot followed by a space as an extension.
            parts.extension = std::string::npos;
        } else if (StartsDoubleByte(c) && i + 1 < path.size()) {
            ++i;
        }
    }
    return parts;
}

} // namespace

CString PathRemoveFileSpec(const CString& path)
{
    const PathParts parts = Split(path.View());
    if (parts.lastSeparator == std::string::npos)
        return CString();
    std::size_t end = parts.lastSeparator;
    // Keep the root: "/" and "C:\".
    if (end == 0 || (end == 2 && path.GetString()[1] == ':'))
        ++end;
    return CString(path.GetString(), end);
}

CString PathCombine(const CString& dir, const CString& name)
{
    if (dir.IsEmpty())
        return name;
    CString joined = dir;
    const PathParts parts = Split(dir.View());
    if (parts.lastSeparator != dir.GetLength() - 1)
        joined += kSeparator;
    joined += name;
    return joined;
}

CString PathRemoveExtension(const CString& path)
{
    const PathParts parts = Split(path.View());
    if (parts.extension == std::string::npos)
        return path;
    return CString(path.GetString(), parts.extension);
}

CString PathAddExtension(const CString& path, const char* extension)
{
    if (Split(path.View()).extension != std::string::npos)
        return path;
    return path + extension;
}

CString GetModuleFilePath()
{
    std::vector<char> buffer(260);
    for (;;) {
#ifdef _WIN32
        const DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return CString();
        if (n < buffer.size())
            return CString(buffer.data(), n);
#else
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return CString();
        if (static_cast<std::size_t>(n) < buffer.size())
            return CString(buffer.data(), static_cast<std::size_t>(n));
#endif
        buffer.resize(buffer.size() * 2);
    }
}
