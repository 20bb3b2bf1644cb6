// Cases that the other engine suites leave untried: the inverse hyperbolic
// cotangent outside -1 to 1, and the message of a code with no entry.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

TEST(CoverageGaps, InverseHyperbolicCotangentBeyondOne) {
    struct Row {
        const char* task;
        const char* result;
    } rows[] = {
        {"acoth2", "0.549306144334055"},    // ln 3 / 2
        {"acoth-3", "-0.346573590279973"},  // the odd function: -(ln 2 / 2)
        {"acoth(1+1)*2", "1.09861228866811"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.task);
        CalcState state;
        writeText(state.szTask, row.task);
        EXPECT_EQ(runTask(state), Functions);
        EXPECT_STREQ(state.szResult, row.result);
    }
}

TEST(CoverageGaps, CodesWithoutAnEntryShareOneMessage) {
    for (unsigned code : {1008u, 1010u, 1020u, 1029u, 1030u, 5000u, 0u}) {
        SCOPED_TRACE(code);
        EXPECT_STREQ(errorMessage(code), "Unexcepted error");
        char shortBuffer[8];
        EXPECT_EQ(writeErrorMessage(code, shortBuffer), 0);
        EXPECT_STREQ(shortBuffer, "Unexcep");
    }
}
