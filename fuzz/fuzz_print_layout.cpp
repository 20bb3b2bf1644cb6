// SPDX-License-Identifier: MIT
// The print layout on arbitrary history text: lines never pass 79 characters
// or hold a line end, pages stay inside their range and hold at most a page of
// lines, and over the whole range no character of the text is lost.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/record_checks.h"
#include "ui/print_layout.h"

using namespace molvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // The first bytes choose the page size and the range; the rest is the text.
    int linesPerPage = 1 + data[0] % 64;
    PageRange range{1 + data[1] % 8, 1 + data[1] % 8 + data[2] % 8};
    if (data[2] == 0xFF) range = PageRange{};
    std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);

    std::vector<PrintedPage> pages = layOutPages(text, linesPerPage, range);
    if (pages.empty()) failInvariant("a document without a page", text);
    int previous = 0;
    std::string printed;
    for (const PrintedPage& page : pages) {
        if (page.number <= previous) failInvariant("pages out of order", text);
        previous = page.number;
        if (static_cast<int>(page.lines.size()) > linesPerPage) failInvariant("a page holds too many lines", text);
        for (const std::string& line : page.lines) {
            if (line.size() > static_cast<std::size_t>(kPrintedLineLength)) failInvariant("a line passes 79", text);
            if (line.find_first_of("\r\n") != std::string::npos) failInvariant("a line end inside a line", text);
            printed += line;
        }
        bool blank = pages.size() == 1 && page.lines.empty();
        if (!blank && (page.number < range.first || page.number > range.last))
            failInvariant("a page outside the range", text);
    }
    // With every page in range, the printed characters are the text's, in order.
    std::size_t allLines = printedLines(text).size();
    if (range.first == 1 && allLines <= static_cast<std::size_t>(linesPerPage * range.last)) {
        std::string expected;
        for (char c : text) {
            if (c != '\r' && c != '\n') expected += c;
        }
        if (printed != expected) failInvariant("the printed text differs from the history", text);
    }
    return 0;
}
