// SPDX-License-Identifier: MIT
// Error codes of the engine and their messages.
//
// Every stage returns 0 or one of these codes; the first failure ends a task and
// the task driver turns its code into the message that stands in the answer.
#pragma once

#include <cstddef>
#include <span>

namespace molvane {

enum ErrorCode : int {
    TooLong = 1001,              // a text passes its limit: a 600-character task
    IncorrectSyntax = 1002,      // "2*+3", "(2+)*3", a stray small letter "zN"
    MissingRightBracket = 1003,  // "(3"
    MissingLeftBracket = 1004,   // "3)"
    NoOperatorBetween = 1005,    // "(3)(4)"
    NoOperatorBefore = 1006,     // "2(3)"
    NoOperatorAfter = 1007,      // "(3)2", "(5)!"
    AnswerNotNumber = 1011,      // "+3" after a failed task
    MemoryNotNumber = 1012,      // "mem" with an empty memory
    UnknownElement = 1013,       // "J2O", "Cn"
    DivideByZero = 1021,         // "1/0"
    MissingArgument = 1022,      // "sin" with nothing after it and no previous answer to take
    ArgumentOutOfRange = 1023,   // "asin2"
    RootOfNegative = 1024,       // "sqrt-4"
    LogarithmOfZero = 1025,      // "ln0"
    LogarithmOfNegative = 1026,  // "log-1"
    FactorialRange = 1027,       // "-3!" read as (-3)!
    QuadraticError = 1028,       // "(1/0)x^2+1": a coefficient fails
    Indeterminate = 1031,        // "1e200*1e200", "171!", "csc0"
    Infinite = 1032,             // "tan90" in degrees
    Complex = 1033,              // never raised by number; the text of a complex root
    UnknownDirective = 1034,     // "#x"
};

// Error codes lie above every task kind, command number and code of coding
// that a stage may return instead.
constexpr bool isErrorCode(int value) { return value >= TooLong; }

// The message of an error code; "Unexcepted error" for a code not in the table.
const char* errorMessage(unsigned code);

// Writes the code's message at the start of `buffer`, cut at its end. Returns 0.
int writeErrorMessage(unsigned code, std::span<char> buffer);

}  // namespace molvane
