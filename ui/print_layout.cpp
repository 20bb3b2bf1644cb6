// SPDX-License-Identifier: MIT
#include "ui/print_layout.h"

#include <algorithm>

#include "ui/line_ends.h"

namespace molvane {

PrintGeometry printGeometry(int paperHeight, int dotsPerInchX, int dotsPerInchY, int lineHeight) {
    PrintGeometry geometry;
    geometry.left = dotsPerInchX;
    geometry.top = dotsPerInchY;
    geometry.lineHeight = std::max(1, lineHeight);
    geometry.linesPerPage = std::max(1, (paperHeight - 2 * dotsPerInchY) / geometry.lineHeight);
    return geometry;
}

std::vector<std::string> printedLines(std::string_view text) {
    std::vector<std::string_view> textLines = splitLines(text);
    if (textLines.back().empty()) textLines.pop_back();
    std::vector<std::string> lines;
    for (std::string_view line : textLines) {
        do {
            lines.emplace_back(line.substr(0, kPrintedLineLength));
            line.remove_prefix(std::min<std::size_t>(line.size(), kPrintedLineLength));
        } while (!line.empty());
    }
    return lines;
}

std::string expandedTabs(std::string_view line) {
    constexpr std::size_t tabStop = 8;
    std::string drawn;
    drawn.reserve(line.size());
    for (char c : line) {
        if (c == '\t') {
            drawn.append(tabStop - drawn.size() % tabStop, ' ');
        } else {
            drawn += c;
        }
    }
    return drawn;
}

std::vector<PrintedPage> layOutPages(std::string_view text, int linesPerPage, PageRange range) {
    linesPerPage = std::max(1, linesPerPage);
    std::vector<std::string> lines = printedLines(text);
    std::size_t perPage = static_cast<std::size_t>(linesPerPage);
    int pageCount = std::max<int>(1, static_cast<int>((lines.size() + perPage - 1) / perPage));
    std::vector<PrintedPage> pages;
    for (int page = std::max(1, range.first); page <= std::min(range.last, pageCount); ++page) {
        std::size_t firstLine = std::min(lines.size(), static_cast<std::size_t>(page - 1) * perPage);
        std::size_t lastLine = std::min(lines.size(), static_cast<std::size_t>(page) * perPage);
        pages.push_back({page, std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(firstLine),
                                                        lines.begin() + static_cast<std::ptrdiff_t>(lastLine))});
    }
    if (pages.empty()) pages.push_back({std::max(1, range.first), {}});
    return pages;
}

}  // namespace molvane
