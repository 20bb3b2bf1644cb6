// SPDX-License-Identifier: MIT
// Cutting a text into lines, for task files and the printed history alike.
#pragma once

#include <string_view>
#include <vector>

namespace molvane {

// The lines of `text`, where CR LF, LF and CR each end one; a text that ends in
// a line end has one more, empty, line after it.
inline std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return lines;
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        text.remove_prefix(next);
    }
}

}  // namespace molvane
