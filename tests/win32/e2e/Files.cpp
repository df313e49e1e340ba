#include "tests/win32/e2e/Files.h"

#include "tests/win32/e2e/Wait.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace e2e {

std::filesystem::path DriverFolder()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            throw std::runtime_error("GetModuleFileNameW failed");
        if (n < buffer.size()) {
            buffer.resize(n);
            return std::filesystem::path(buffer).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::filesystem::path FromUnixPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return std::filesystem::path(path);
    // Wine's own mapping knows every drive; without it (not under Wine) Z: is the usual root.
    using DosName = wchar_t*(CDECL*)(const char*);
    const auto dosName = reinterpret_cast<DosName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (dosName) {
        if (wchar_t* name = dosName(path.c_str())) {
            std::filesystem::path result(name);
            ::HeapFree(::GetProcessHeap(), 0, name);
            return result;
        }
    }
    std::string dos = "Z:" + path;
    for (char& c : dos)
        if (c == '/')
            c = '\\';
    return std::filesystem::path(dos);
}

ScratchFolder::ScratchFolder()
{
    static unsigned counter = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
        m_path = base / (L"quintaro-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                         std::to_wstring(++counter));
    } while (!std::filesystem::create_directory(m_path));
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::wstring QuoteArgument(const std::wstring& argument)
{
    // Backslashes only count before a quote: double those, and escape the quote itself.
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

DWORD RunToEnd(const std::filesystem::path& program, const std::vector<std::wstring>& arguments)
{
    std::wstring commandLine = QuoteArgument(program.wstring());
    for (const std::wstring& argument : arguments)
        commandLine += L" " + QuoteArgument(argument);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        throw std::runtime_error("cannot start " + program.string() + ": error " + std::to_string(::GetLastError()));
    ::CloseHandle(info.hThread);
    const DWORD waited = ::WaitForSingleObject(info.hProcess, kPatienceMs);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(info.hProcess, &code);
    if (waited != WAIT_OBJECT_0)
        ::TerminateProcess(info.hProcess, 1);
    ::CloseHandle(info.hProcess);
    if (waited != WAIT_OBJECT_0)
        throw std::runtime_error(program.string() + " did not end");
    return code;
}

}  // namespace e2e
