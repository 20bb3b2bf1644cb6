#include "ui/print_layout.h"

#include <gtest/gtest.h>

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
    // Letter paper at 600 dots per inch, lines of 100 dots: 9 inches of text.
    PrintGeometry letter = printGeometry(6600, 500, 600, 100);
    EXPECT_TRUE(letter.left == 500 && letter.top == 600 && letter.linesPerPage == 54);
    EXPECT_EQ(printGeometry(6600, 600, 600, 101).linesPerPage, 53);
    EXPECT_EQ(printGeometry(1000, 600, 600, 100).linesPerPage, 1) << "a page too small still takes a line";
}

struct PagesRow {
    const char* name;
    PageRange range;
    std::vector<int> pages;
    std::string firstLine;  // of the first page printed
};

TEST(PrintLayoutTest, PagesOfTheRange) {
    std::string text;
    for (char c = 'a'; c <= 'j'; ++c) text += std::string(1, c) + "\r\n";  // 10 lines, 3 a page
    const PagesRow rows[] = {
        {"no range", {}, {1, 2, 3, 4}, "a"},
        {"2 to 3", {2, 3}, {2, 3}, "d"},
        {"0 to 2: pages start at 1", {0, 2}, {1, 2}, "a"},
        {"3 to 99", {3, 99}, {3, 4}, "g"},
        {"beyond the text", {7, 9}, {7}, ""},
    };
    for (const PagesRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<PrintedPage> pages = layOutPages(text, 3, row.range);
        std::vector<int> numbers;
        for (const PrintedPage& page : pages) numbers.push_back(page.number);
        EXPECT_EQ(numbers, row.pages);
        EXPECT_EQ(pages.front().lines.empty() ? "" : pages.front().lines.front(), row.firstLine);
    }
    std::vector<PrintedPage> range = layOutPages(text, 3, {2, 3});
    EXPECT_EQ(range.back().lines, (std::vector<std::string>{"g", "h", "i"}));
    std::vector<PrintedPage> empty = layOutPages("", 54, {});
    ASSERT_EQ(empty.size(), 1u) << "an empty history prints one blank page";
    EXPECT_TRUE(empty[0].lines.empty());
}

}  // namespace
