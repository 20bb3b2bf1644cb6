// SPDX-License-Identifier: MIT
// molvane-cli: the calculator's engine for shells and scripts.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <iostream>
#include <streambuf>
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

// Typed input, read from the console as UTF-16 and handed on as UTF-8: the
// console's byte input knows only its code page, and with the UTF-8 code page
// older consoles give zeros for every character beyond ASCII.
class ConsoleInput : public std::streambuf {
public:
    explicit ConsoleInput(HANDLE console) : console_(console) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        wchar_t wide[1025];
        DWORD count = 0;
        if (pending_ != 0) wide[0] = pending_;
        DWORD held = pending_ != 0 ? 1 : 0;
        pending_ = 0;
        if (!::ReadConsoleW(console_, wide + held, 1024, &count, nullptr)) return traits_type::eof();
        count += held;
        // Ctrl-Z at the start of a read ends the input, as for any console program.
        if (count == 0 || wide[0] == 0x1A) return traits_type::eof();
        // Half of a surrogate pair waits for its other half.
        if (count > 1 && wide[count - 1] >= 0xD800 && wide[count - 1] <= 0xDBFF) pending_ = wide[--count];
        int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(count), nullptr, 0, nullptr, nullptr);
        bytes_.resize(size > 0 ? static_cast<std::size_t>(size) : 0u);
        ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(count), bytes_.data(), size, nullptr, nullptr);
        if (bytes_.empty()) return traits_type::eof();
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
        return traits_type::to_int_type(*gptr());
    }

private:
    HANDLE console_;
    wchar_t pending_ = 0;
    std::string bytes_;
};

bool inputIsTerminal() { return ::_isatty(::_fileno(stdin)) != 0; }
#else
bool inputIsTerminal() { return ::isatty(STDIN_FILENO) != 0; }
#endif

}  // namespace

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifndef _WIN32
    // A closed standard output could be taken over by the next file opened.
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        std::cerr << "molvane-cli: cannot write to standard output: it is closed\n";
        return 1;
    }
#endif
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    Utf8Console console;
    std::vector<std::string> arguments = utf8Arguments();
    // Typed input comes as UTF-16 from the console; piped input is read byte for
    // byte (a Ctrl-Z byte is no end of it), its lines ending in LF or CR LF.
    // Output stays in text mode: lines end in CR LF.
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    static ConsoleInput consoleInput(input);
    if (::GetConsoleMode(input, &mode))
        std::cin.rdbuf(&consoleInput);
    else
        ::_setmode(::_fileno(stdin), _O_BINARY);
#else
    std::vector<std::string> arguments(argv + 1, argv + argc);
#endif
    molvane::CliOptions options = molvane::parseOptions(arguments);
    bool interactive = options.sources.empty() && inputIsTerminal();
    return molvane::runCli(options, std::cin, std::cout, std::cerr, interactive);
}
