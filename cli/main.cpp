// quintaro-cli: the converter without its window, for scripts and for a first look at a bank.
#include "cli/RunCli.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

int main()
{
    // The UTF-16 command line, so that no argument is mangled by the console's code page.
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i) {
        const int n = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    ::LocalFree(argv);
    return RunCli(args);
}
#else
int main(int argc, char** argv)
{
    // Arguments are taken as UTF-8, whatever the locale says.
    return RunCli(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
