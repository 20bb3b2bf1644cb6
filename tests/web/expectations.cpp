// SPDX-License-Identifier: MIT
// What the page's test expects, from the shared tables and logic rather than
// copied into it. With no argument: JSON of the typed tasks and their display
// lines, and the windows' controls with their names in the layout's order.
// With "saved": the bytes a desktop program saves for the history read from
// standard input (UTF-8).
#include <iostream>
#include <iterator>
#include <string>
#include <utility>

#include "session/utf16_text.h"
#include "tests/support/typed_tasks.h"
#include "ui/history_file.h"
#include "ui/window_layout.h"

namespace {

// A JSON string of UTF-8 text: quotes, backslashes and control characters escaped.
std::string json(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            out += "\\u00" + std::string{"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
        else
            out += c;
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace molvane;
    if (argc > 1 && std::string(argv[1]) == "saved") {
        std::string history((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        std::cout << savedHistoryBytes(engineBytesOfUtf16(utf16OfUtf8(history)));
        return 0;
    }
    std::string out = "{\"typed\": [";
    for (const TypedTask& row : kTypedTasks) {
        out += (out.back() == '[' ? "[" : ", [") + json(row.typed) + ", " + json(row.task) + ", " + json(row.result) +
               ", " + json(row.logged) + "]";
    }
    // Each control as [the page's element that holds its window, id, name, shown].
    out += "], \"controls\": [";
    for (const ControlLayout& control : mainWindowLayout()) {
        out += (out.back() == '[' ? "[\"#client\", " : ", [\"#client\", ") + std::to_string(control.id) + ", " +
               json(control.name) + ", " + (control.shown ? "true" : "false") + "]";
    }
    for (auto [window, buttons] :
         {std::pair{"#history", historyWindowButtons()}, std::pair{"#composition", compositionWindowButtons()}}) {
        for (const WindowButton& button : buttons)
            out += ", [\"" + std::string(window) + "\", " + std::to_string(button.id) + ", " + json(button.name) +
                   ", true]";
    }
    std::cout << out << "]}\n";
    return 0;
}
