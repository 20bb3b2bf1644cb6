// SPDX-License-Identifier: MIT
#include "cli/line_editor.h"

#include <clocale>
#include <cstdlib>
#include <istream>
#include <memory>
#include <ostream>
#include <system_error>

#ifdef MOLVANE_HAVE_LIBEDIT
#include <editline/readline.h>
#endif

namespace molvane {

namespace {

// A history longer than this loses its oldest lines.
constexpr int kHistoryLines = 1000;

}  // namespace

std::filesystem::path terminalHistoryPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && *state == '/') return std::filesystem::path(state) / "molvane" / "cli_history";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".local" / "state" / "molvane" / "cli_history";
    }
    return {};
}

#ifdef MOLVANE_HAVE_LIBEDIT

TerminalReader lineEditor(const std::string& prompt, const std::filesystem::path& historyFile, std::istream&,
                          std::ostream&) {
    // libedit reads and shows UTF-8 only when the character type follows the terminal's locale.
    std::setlocale(LC_CTYPE, "");
    using_history();
    stifle_history(kHistoryLines);
    if (!historyFile.empty()) {
        std::error_code error;
        std::filesystem::create_directories(historyFile.parent_path(), error);
        read_history(historyFile.c_str());
    }
    return [prompt, historyFile](std::string& line) {
        std::unique_ptr<char, decltype(&std::free)> typed(readline(prompt.c_str()), &std::free);
        if (!typed) return false;
        line = typed.get();
        if (!line.empty()) {
            add_history(typed.get());
            // Written at once, so a run that ends by a signal keeps what was typed.
            if (!historyFile.empty()) write_history(historyFile.c_str());
        }
        return true;
    };
}

#else

TerminalReader lineEditor(const std::string& prompt, const std::filesystem::path&, std::istream& in,
                          std::ostream& out) {
    return [prompt, &in, &out](std::string& line) {
        out << prompt << std::flush;
        return static_cast<bool>(std::getline(in, line));
    };
}

#endif

}  // namespace molvane
