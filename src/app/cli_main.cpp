#include "app/cli/cli.h"
#include "model/file_system.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace {

#ifdef _WIN32
// Windows hands the arguments over in UTF-16 (argv has them in the ANSI code page, which
// loses every letter outside it); the commands take UTF-8, as on Linux.
std::vector<std::string> Arguments(int, char**) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return args;
    for (int i = 1; i < count; ++i) {
        const int length =
            ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<size_t>(length > 0 ? length : 1), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), length, nullptr, nullptr);
        arg.pop_back(); // the terminating NUL
        args.push_back(std::move(arg));
    }
    ::LocalFree(wide);
    return args;
}

// The output is the same bytes as on Linux: UTF-8, lines ending in LF alone (an RTF document
// or generated code keeps its own CR LF). A console shows UTF-8 while the program runs.
class TUtf8Output {
public:
    TUtf8Output() : ConsoleCodePage(::GetConsoleOutputCP()) {
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        if (ConsoleCodePage != 0) ::SetConsoleOutputCP(CP_UTF8);
    }
    ~TUtf8Output() {
        std::cout.flush();
        std::cerr.flush();
        if (ConsoleCodePage != 0) ::SetConsoleOutputCP(ConsoleCodePage);
    }

private:
    UINT ConsoleCodePage;
};
#else
std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}
#endif

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    TUtf8Output output;
#endif
    const std::vector<std::string> args = Arguments(argc, argv);
    redewerk::TDiskFileSystem files;
    return redewerk::RunCli(args, std::cout, std::cerr, files);
}
