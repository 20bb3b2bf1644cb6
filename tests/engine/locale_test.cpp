// SPDX-License-Identifier: MIT
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

TEST(DecimalCommaLocale, AnswersAreTheSameAsInTheCLocale) {
    std::string active;
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
    const std::pair<const char*, const char*> rows[] = {
        {"1.5+1", "2.5"},           {"1/4", "0.25"},      {"h2o", "18.01528"},    {"1e-5*3", "3e-05"},
        {"1234.5678", "1234.5678"}, {"#sci", "1.23e+03"}, {"#comma", "1,23e+03"},
    };
    CalcState state;
    for (const auto& [line, answer] : rows) {
        writeTextCut(state.szTask, line);
        runTask(state);
        EXPECT_STREQ(state.szAnswer, answer) << "line " << line << " in locale " << active;
    }
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
}
