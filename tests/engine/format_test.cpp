// SPDX-License-Identifier: MIT
#include "engine/format.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/text.h"

using namespace molvane;

namespace {

struct FormatRow {
    const char* name;
    int numberMode;
    int decimals;
    int digitGrouping;
    const char* result;
    const char* answer;
};

// The typed examples of each mode live in the golden files; these rows give
// result texts that a typed task cannot easily produce.
TEST(FormatAnswer, ShowsResultBySettings) {
    const FormatRow rows[] = {
        {"empty", Automatic, 2, 1, "", ""},
        {"automatic exponent 15", Automatic, 2, 0, "1000000000000000", "1e+15"},
        {"group exactly three", Automatic, 2, 1, "123", "123"},
        {"scientific grouped no space before e", Scientific, 6, 1, "6.0221367e+023", "6.022 137e+23"},
        {"fixed grouped", Fixed, 2, 1, "1234567.891", "1 234 567.89"},
        {"negative single digit mantissa", Scientific, 2, 0, "-1e-07", "-1.00e-07"},
        {"beyond double range", Automatic, 2, 1, "12e999", "12e999"},
        // Decimals outside 0 to 15 are shown with the nearest they can be.
        {"scientific decimals above 15", Scientific, 40, 0, "1.5", "1.500000000000000e+00"},
        {"scientific decimals below 0", Scientific, -3, 0, "1234", "1e+03"},
    };
    for (const FormatRow& row : rows) {
        SCOPED_TRACE(row.name);
        CalcState state;
        state.numberMode = row.numberMode;
        state.decimals = row.decimals;
        state.digitGrouping = row.digitGrouping;
        writeText(state.szResult, row.result);
        writeText(state.szAnswer, "stale");
        EXPECT_EQ(formatAnswer(state), 0);
        EXPECT_EQ(std::string(state.szAnswer), row.answer);
        EXPECT_EQ(std::string(state.szResult), row.result);
    }
}

}  // namespace
