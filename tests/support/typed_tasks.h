// SPDX-License-Identifier: MIT
// Tasks as a user types or pastes them into a desktop program's input line, and
// what its display and history show: one table for the Qt and Windows windows.
#pragma once

struct TypedTask {
    const char* typed;   // UTF-8, as typed or pasted
    const char* task;    // the lower task line; empty when a quadratic shows its roots
    const char* result;  // the lower result line
    const char* logged;  // the history's new entry
};

inline constexpr TypedTask kTypedTasks[] = {
    {"2h2o", "2H2O", "36.03056", "\r\n2H2O = 36.03056\r\n"},
    {"2 \u00D7 3 \u00F7 4", "2*3/4", "1.5", "\r\n2*3/4 = 1.5\r\n"},
    {"x^2+x+1", "", "<Complex number>", "\r\nx^2+x+1 = 0\r\nx1 = \t<Complex number>\r\n"},
    {"CuSO4\u00B75H\u2082O \u2212 2\u00B3", "CuSO4+5H2O-2^3", "241.685", "\r\nCuSO4+5H2O-2^3 = 241.685\r\n"},
    {"2sin30", "2:sin30", "-1.97606324818572", "\r\n2:sin30 = -1.97606324818572\r\n"},
};
