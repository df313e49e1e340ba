// Files and processes of a test run: where the driver and the programs under test stand, a scratch
// folder per test, whole-file reads and writes, and running a console program to its end.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

// The folder of the running driver: bin/ of the Windows tree, beside Quintaro.exe,
// quintaro-cli.exe and the three templates.
std::filesystem::path DriverFolder();

// A Unix path as Windows programs under Wine name it (Z:\...); other paths pass unchanged.
std::filesystem::path FromUnixPath(const std::string& path);

// A fresh, empty folder in the temporary directory, removed with all it holds at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::wstring& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::string ReadFileBytes(const std::filesystem::path& path);  // throws when the file cannot be read
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

// Quotes one argument for CommandLineToArgvW.
std::wstring QuoteArgument(const std::wstring& argument);

// Runs a program with the driver's console and returns its exit code; throws if it does not end.
DWORD RunToEnd(const std::filesystem::path& program, const std::vector<std::wstring>& arguments);

}  // namespace e2e
