// SPDX-License-Identifier: MIT
// The text rewriters between the task line and the evaluator.
#pragma once

#include <span>
#include <string_view>

#include "engine/engine.h"
#include "engine/text.h"

namespace molvane {

// Classifications that normalizeTask returns (the first stage of the TaskKind).
// 0 no letters, 1 possible function names, 2 other letters, 4 a quadratic
// equation, 9 a directive.

// Rewrites `line` into the engine's character set (drops blanks and unknown
// characters, "," and "." become ".", "**" becomes "^", "--" becomes "-1*",
// a lone "_" becomes "2_", everything from the first "=" on is dropped) and
// classifies it. Returns Plain, Functions, Formula, Quadratic or Directive, or
// TooLong when the line has more than
// 638 characters or its normalised form grows past 638 (`out` then holds no
// meaningful text).
int normalizeText(std::string_view line, FixedText<kMathsLimit>& out);

// normalizeText on state.szTask, in place. Returns the classification, or TooLong
// when the line or its normalised form is too long for szTask (szTask unchanged).
int normalizeTask(CalcState& state);

// A number text as the engine writes one: no letter but an exponent 'e' (one
// after a digit or a point), and a digit at the end. Messages such as
// "n! must be from 0 to 170" end in a digit too, and are no numbers.
bool isNumberText(std::string_view text);

// Reads a previous answer, the memory or a last result back as a number: the
// text normalised, and accepted only when it holds no letter but an exponent 'e'
// (one after a digit or a point) and ends in a digit. So "1 234,5" gives
// "1234.5", while a message such as "Argument must be from -1 to 1" is no number.
bool takeNumberText(std::string_view text, FixedText<kMathsLimit>& number);

// Completes a task that ends in an operator (or in a function code other than
// pi, ans and mem) or begins with '*', '+', '/' or '^' with the previous answer.
// Returns 0, TooLong (the task is or becomes longer than 510 characters) or AnswerNotNumber
// (the answer is needed and is not a number); on failure `task` is unchanged.
int addPreviousAnswer(std::span<char> task, std::string_view answer);

// state.szMaths holds a copy of state.szTask: rewrites its minus signs into the
// evaluator's forms ("+-" for a subtraction, "-1*" for a negation), puts '*'
// before a function code that follows a digit, and turns square and curly
// brackets into parentheses. Returns 0, or TooLong when the task is longer than
// 510 characters or the expression grows past 638 (szMaths then unchanged).
int prepareSigns(CalcState& state);

}  // namespace molvane
