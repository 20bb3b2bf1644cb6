// SPDX-License-Identifier: MIT
#include "cli/line_editor.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <memory>
#include <ostream>
#include <system_error>

#ifdef MOLVANE_LIBEDIT_SONAME
#include <dlfcn.h>
#include <editline/readline.h>
#endif

namespace molvane {

std::filesystem::path terminalHistoryPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && *state == '/') return std::filesystem::path(state) / "molvane" / "cli_history";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".local" / "state" / "molvane" / "cli_history";
    }
    return {};
}

namespace {

// A history longer than this loses its oldest lines.
constexpr int kHistoryLines = 1000;

// The prompt, then a line from `in`: a terminal without line editing.
TerminalReader plainLines(const std::string& prompt, std::istream& in, std::ostream& out) {
    return [prompt, &in, &out](std::string& line) {
        out << prompt << std::flush;
        return static_cast<bool>(std::getline(in, line));
    };
}

#ifdef MOLVANE_LIBEDIT_SONAME

// libedit is opened when a terminal asks for line editing, not linked: every
// run that reads its arguments or a file would pay for loading and binding it
// and the terminal libraries it needs, a fifth of a one-task run.
struct Libedit {
    decltype(&::readline) readLine = nullptr;
    decltype(&::add_history) addHistory = nullptr;
    decltype(&::using_history) useHistory = nullptr;
    decltype(&::stifle_history) limitHistory = nullptr;
    decltype(&::read_history) readHistory = nullptr;
    decltype(&::write_history) writeHistory = nullptr;
};

template <typename Function>
bool findFunction(void* library, const char* name, Function& function) {
    void* symbol = dlsym(library, name);
    std::memcpy(&function, &symbol, sizeof function);
    return symbol != nullptr;
}

// False when the library is not installed: the terminal then reads plain lines.
bool openLibedit(Libedit& edit) {
    void* library = dlopen(MOLVANE_LIBEDIT_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return false;
    return findFunction(library, "readline", edit.readLine) && findFunction(library, "add_history", edit.addHistory) &&
           findFunction(library, "using_history", edit.useHistory) &&
           findFunction(library, "stifle_history", edit.limitHistory) &&
           findFunction(library, "read_history", edit.readHistory) &&
           findFunction(library, "write_history", edit.writeHistory);
}

#endif

}  // namespace

TerminalReader lineEditor(const std::string& prompt, [[maybe_unused]] const std::filesystem::path& historyFile,
                          std::istream& in, std::ostream& out) {
#ifdef MOLVANE_LIBEDIT_SONAME
    Libedit edit;
    if (!openLibedit(edit)) return plainLines(prompt, in, out);
    // libedit reads and shows UTF-8 only when the character type follows the terminal's locale.
    std::setlocale(LC_CTYPE, "");
    edit.useHistory();
    edit.limitHistory(kHistoryLines);
    if (!historyFile.empty()) {
        std::error_code error;
        std::filesystem::create_directories(historyFile.parent_path(), error);
        edit.readHistory(historyFile.c_str());
    }
    return [prompt, historyFile, edit](std::string& line) {
        std::unique_ptr<char, decltype(&std::free)> typed(edit.readLine(prompt.c_str()), &std::free);
        if (!typed) return false;
        line = typed.get();
        if (!line.empty()) {
            edit.addHistory(typed.get());
            // Written at once, so a run that ends by a signal keeps what was typed.
            if (!historyFile.empty()) edit.writeHistory(historyFile.c_str());
        }
        return true;
    };
#else
    return plainLines(prompt, in, out);
#endif
}

}  // namespace molvane
