// SPDX-License-Identifier: MIT
#include "ui/print_layout.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace molvane;

namespace {

std::vector<std::size_t> lengths(const std::vector<std::string>& lines) {
    std::vector<std::size_t> sizes;
    for (const std::string& line : lines) sizes.push_back(line.size());
    return sizes;
}

TEST(PrintLayoutTest, LinesAreCutAt79Characters) {
    const std::pair<std::string, std::vector<std::size_t>> rows[] = {
        {std::string(200, 'x'), {79, 79, 42}},
        {std::string(79, 'x'), {79}},
        {"a\r\n\r\nbb\nccc\rd\r\n", {1, 0, 2, 3, 1}},
        {"", {}},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(lengths(printedLines(text)), expected) << "text of " << text.size() << " characters";
    }
}

TEST(PrintLayoutTest, OneInchMarginsAndLinesPerPage) {
    // Letter paper at 500 by 600 dots per inch, lines of 100 dots: 9 inches of text.
    PrintGeometry letter = printGeometry(6600, 500, 600, 100);
    EXPECT_TRUE(letter.left == 500 && letter.top == 600 && letter.linesPerPage == 54);
    EXPECT_EQ(printGeometry(1000, 600, 600, 0).linesPerPage, 1) << "a page too small still takes a line";
}

// Each page printed as its number and its lines, "2:def".
TEST(PrintLayoutTest, PagesOfTheRange) {
    const std::string letters = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n";  // 3 lines a page
    // The history, the range chosen and the pages printed.
    const std::tuple<std::string, PageRange, std::string> rows[] = {
        {letters, {}, "1:abc 2:def 3:ghi 4:j "},
        {letters, {2, 3}, "2:def 3:ghi "},
        {letters, {0, 2}, "1:abc 2:def "},
        {letters, {3, 99}, "3:ghi 4:j "},
        {letters, {7, 9}, "7: "},  // beyond the text
        {"", {}, "1: "},           // an empty history prints one blank page
    };
    for (const auto& [text, range, expected] : rows) {
        std::string pages;
        for (const PrintedPage& page : layOutPages(text, 3, range)) {
            pages += std::to_string(page.number) + ":";
            for (const std::string& line : page.lines) pages += line;
            pages += " ";
        }
        EXPECT_EQ(pages, expected) << "pages " << range.first << " to " << range.last;
    }
}

}  // namespace
