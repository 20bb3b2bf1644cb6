// Answers must not depend on the process locale: a desktop set to German still
// reads "1.5" as one and a half and writes "2.5" unless the decimal comma is asked for.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>
#include <utility>

#include "engine/engine.h"
#include "engine/text.h"

using namespace molvane;

namespace {

std::string answerOf(CalcState& state, const char* line) {
    writeTextCut(state.szTask, line);
    runTask(state);
    return std::string(textOf(state.szAnswer));
}

// Switches the C and C++ locales for one test and back afterwards.
class DecimalCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        // The last two are the names Windows knows the German locale by.
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "de-DE", "German_Germany.1252"}) {
            if (std::setlocale(LC_ALL, name)) {
                active = name;
                break;
            }
        }
        if (active.empty()) GTEST_SKIP() << "no decimal-comma locale is installed";
#ifndef _WIN32
        // MinGW's C++ library knows only the "C" locale by name; on Windows the C
        // locale, which the C library's number functions read, is the one switched.
        std::locale::global(std::locale(active.c_str()));
#endif
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
    std::string active;
};

}  // namespace

TEST_F(DecimalCommaLocale, AnswersAreTheSameAsInTheCLocale) {
    const std::pair<const char*, const char*> rows[] = {
        {"1.5+1", "2.5"},           {"1/4", "0.25"},      {"h2o", "18.01528"},    {"1e-5*3", "3e-05"},
        {"1234.5678", "1234.5678"}, {"#sci", "1.23e+03"}, {"#comma", "1,23e+03"},
    };
    CalcState state;
    for (const auto& [line, answer] : rows) {
        EXPECT_EQ(answerOf(state, line), answer) << "line " << line << " in locale " << active;
    }
}
