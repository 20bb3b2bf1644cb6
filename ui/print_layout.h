// SPDX-License-Identifier: MIT
// How the history is laid out on paper, free of any toolkit: the print path and
// the preview draw exactly these pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

inline constexpr const char* kPrintDocumentName = "Vanta - Task History";
inline constexpr int kPrintedLineLength = 79;
// Printing without a page range stops here.
inline constexpr int kLastPrintedPage = 999;

struct PageRange {
    int first = 1;
    int last = kLastPrintedPage;
};

// Where the text goes on the paper, in device pixels from the paper's edges.
struct PrintGeometry {
    int left = 0;
    int top = 0;
    int lineHeight = 1;
    int linesPerPage = 1;
};

// One-inch margins on every side; as many lines as fit between the top and
// bottom margins, and at least one, so a tiny page still makes progress.
PrintGeometry printGeometry(int paperHeight, int dotsPerInchX, int dotsPerInchY, int lineHeight);

// The text cut into printed lines: CR LF, LF and CR end a line, and a line
// longer than 79 characters goes on over as many lines as it needs. The line
// end after the last line makes no line of its own.
std::vector<std::string> printedLines(std::string_view text);

// A printed line as drawn in the page's fixed-pitch font: each tab becomes the
// spaces up to the next stop of eight columns, so nothing after it depends on
// how a printer driver treats a tab.
std::string expandedTabs(std::string_view line);

struct PrintedPage {
    int number = 1;
    std::vector<std::string> lines;
};

// The pages of `range` that have lines, in order. A document always has a page,
// so when none of the range has lines the result is one blank page.
std::vector<PrintedPage> layOutPages(std::string_view text, int linesPerPage, PageRange range);

}  // namespace molvane
