// molvane-cli: the calculator's engine for shells and scripts.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"

namespace {

#ifdef _WIN32
// Windows hands over the arguments as UTF-16 whatever the console's code page;
// they are read as such and passed on as UTF-8, the only encoding the CLI reads.
std::vector<std::string> utf8Arguments() {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        argument.resize(argument.size() - 1);
        arguments.push_back(argument);
    }
    ::LocalFree(wide);
    return arguments;
}

// The console reads and shows UTF-8 while the program runs, and gets its own
// code pages back afterwards.
class Utf8Console {
public:
    Utf8Console() : input_(::GetConsoleCP()), output_(::GetConsoleOutputCP()) {
        ::SetConsoleCP(CP_UTF8);
        ::SetConsoleOutputCP(CP_UTF8);
    }
    ~Utf8Console() {
        if (input_ != 0) ::SetConsoleCP(input_);
        if (output_ != 0) ::SetConsoleOutputCP(output_);
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT input_;
    UINT output_;
};

bool inputIsTerminal() { return ::_isatty(::_fileno(stdin)) != 0; }
#else
bool inputIsTerminal() { return ::isatty(STDIN_FILENO) != 0; }
#endif

}  // namespace

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    Utf8Console console;
    std::vector<std::string> arguments = utf8Arguments();
    // Piped input is read byte for byte (a Ctrl-Z byte is no end of it); lines
    // end in LF or CR LF either way. Output stays in text mode: lines end in CR LF.
    if (!inputIsTerminal()) ::_setmode(::_fileno(stdin), _O_BINARY);
#else
    std::vector<std::string> arguments(argv + 1, argv + argc);
#endif
    CliOptions options = parseOptions(arguments);
    bool interactive = options.sources.empty() && inputIsTerminal();
    return runCli(options, std::cin, std::cout, std::cerr, interactive);
}
