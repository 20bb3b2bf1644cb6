// SPDX-License-Identifier: MIT
// Checks on a CalcState shared by the fuzz targets: a broken invariant prints
// what broke and aborts, which libFuzzer reports as a crash with its input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "engine/engine.h"

using namespace molvane;

[[noreturn]] inline void failInvariant(const char* what, std::string_view line) {
    std::fprintf(stderr, "invariant broken: %s\n  after the line: \"%.*s\"\n", what, static_cast<int>(line.size()),
                 line.data());
    std::abort();
}

template <std::size_t N>
bool terminatedInside(const char (&field)[N]) {
    return std::memchr(field, '\0', N) != nullptr;
}

// Every text of the record ends inside its own field.
inline void requireTerminatedTexts(const CalcState& state, std::string_view line) {
    if (!terminatedInside(state.szTask)) failInvariant("szTask runs past its field", line);
    if (!terminatedInside(state.szMaths)) failInvariant("szMaths runs past its field", line);
    if (!terminatedInside(state.szResult)) failInvariant("szResult runs past its field", line);
    if (!terminatedInside(state.szAnswer)) failInvariant("szAnswer runs past its field", line);
    if (!terminatedInside(state.szMemory)) failInvariant("szMemory runs past its field", line);
}

inline bool sameSettings(const CalcState& a, const CalcState& b) {
    return a.angleUnit == b.angleUnit && a.numberMode == b.numberMode && a.decimals == b.decimals &&
           a.digitGrouping == b.digitGrouping && a.functionSeparator == b.functionSeparator &&
           a.decimalComma == b.decimalComma;
}

// The settings that only name one of a few choices never hold anything else.
inline void requireSettingsInRange(const CalcState& state, std::string_view line) {
    if (state.angleUnit < Radians || state.angleUnit > Grads) failInvariant("angleUnit out of range", line);
    if (state.numberMode < Automatic || state.numberMode > Fixed) failInvariant("numberMode out of range", line);
    if (state.decimalComma != 0 && state.decimalComma != 1) failInvariant("decimalComma neither 0 nor 1", line);
}
