// SPDX-License-Identifier: MIT
// Whatever a user pastes, runTask must keep every text terminated inside its
// field and return a kind it may return. Thousands of random lines run in
// sequence on one record, so each task also meets whatever the last one left.
// The only random-input test: the fuzz targets, whose checks it shares, go further.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/engine.h"
#include "engine/text.h"
#include "fuzz/record_checks.h"

using namespace molvane;

namespace {

// Lines built from runs that stress the rewriters: signs, separators, brackets,
// digits, letters of names and symbols, code characters, and any byte at all.
std::string randomLine(std::mt19937& random) {
    static const std::string runs[] = {"-",   "_",   "(",  ")",   ",",   ".",    "0123456789", "e",
                                       "x^2", "sin", "pi", "ans", "mem", "NaCl", "h2o",        ":",
                                       ";",   "#",   "*",  "+",   "!",   "=",    "[",          "}"};
    std::uniform_int_distribution<int> length(0, 510);
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int> runPick(0, static_cast<int>(std::size(runs)) - 1);
    std::uniform_int_distribution<int> byte(1, 255);
    std::uniform_int_distribution<int> repeat(1, 40);
    std::string line;
    std::size_t target = static_cast<std::size_t>(length(random));
    while (line.size() < target) {
        if (pick(random) < 3) {
            line += static_cast<char>(byte(random));
        } else {
            const std::string& run = runs[runPick(random)];
            for (int i = repeat(random); i > 0; --i) line += run;
        }
    }
    line.resize(target);
    return line;
}

}  // namespace

TEST(RandomLines, EveryTextStaysTerminatedInsideItsField) {
    std::mt19937 random(20261206);
    CalcState state;
    for (int i = 0; i < 4000; ++i) {
        std::string line = randomLine(random);
        writeTextCut(state.szTask, line);
        int kind = runTask(state);
        requireTerminatedTexts(state, line);
        requireSettingsInRange(state, line);
        // The digit form of a directive returns any number it reads; the other kinds are fixed.
        ASSERT_TRUE(kind == Failed || (kind >= Plain && kind <= Quadratic) || kind >= Directive)
            << "line " << i << " kind " << kind;
        if (kind == Failed) {
            ASSERT_NE(textOf(state.szAnswer).size(), 0u) << "a failure always has its message";
        }
    }
}
