// --composition: each formula task's elements after its answer, as text or JSON.
#include <gtest/gtest.h>

#include "cli_helpers.h"

namespace {

TEST(CliComposition, ElementsFollowEachFormulaTask) {
    struct Row {
        std::vector<std::string> arguments;
        const char* out;
    } rows[] = {
        {{"CuSO4+5H2O"},
         "CuSO4+5H2O = 249.685\n"
         "  Cu   1    63.546  25.4505\n"
         "  S    1    32.065  12.8422\n"
         "  O    9  143.9946  57.6705\n"
         "  H   10   10.0794   4.0368\n"},
        // The comma the answers use, in the table too.
        {{"#comma", "Fe0,95O"},
         "#comma = \nFe0,95O = 69,05215\n"
         "  Fe  0,95  53,05275  76,8300\n"
         "  O      1   15,9994  23,1700\n"},
        {{"NaCl/2", "sin(NaCl)", "2+3"},
         "NaCl/2 = 29.22138464\n"
         "  No composition: only '+' and coefficients may join the parts of a formula\n"
         ":sin(NaCl) = 0.948190533320817\n"
         "  No composition: the formula is mixed with functions\n"
         "2+3 = 5\n"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> arguments = {"--no-config", "--composition"};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        CliResult run = runCliWith(arguments);
        EXPECT_EQ(run.status, 0) << row.arguments.back();
        EXPECT_EQ(run.out, row.out) << row.arguments.back();
    }
    // The record's other fields are checked in cli_run_test; here only what --composition adds.
    std::string json = runCliWith({"--no-config", "--composition", "--json", "h2o", "2+3"}).out;
    EXPECT_NE(json.find("\"answer\":\"18.01528\",\"composition\":["
                        "{\"symbol\":\"H\",\"count\":2,\"mass\":2.01588,\"percent\":11.189834407236523},"
                        "{\"symbol\":\"O\",\"count\":1,\"mass\":15.9994,\"percent\":88.81016559276347}]}\n{"),
              std::string::npos)
        << json;
    EXPECT_TRUE(json.ends_with("\"answer\":\"5\",\"composition\":null}\n")) << json;
}

}  // namespace
