// SPDX-License-Identifier: MIT
// The expression evaluator: rewrites an expression text step by step until one
// number is left. Every value between two steps exists only as text.
#pragma once

#include <span>
#include <string_view>

namespace molvane {

// Evaluates `expression` (brackets, the operators ^ _ / * +, signed numbers,
// function codes, factorials) and writes the value text into `result`, only on
// success. `expression` may lie inside `result`: it is copied first.
// Returns 0 or an error code.
int evaluateExpression(std::string_view expression, std::span<char> result, int angleUnit);

// Evaluates a text without brackets in place. On success `text` holds the value;
// after a failure it is unchanged. Returns 0 or an error code; TooLong when a value
// does not fit `text`.
int evaluateFlat(std::span<char> text, int angleUnit);

// Rewrites an operand that ends in '!' with its factorial ("4.7!" is 4!).
// Returns 0, FactorialRange for a negative n, Indeterminate for n above 170.
int applyFactorial(std::span<char> operand);

}  // namespace molvane
