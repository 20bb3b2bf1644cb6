#include "engine/evaluator.h"

#include "engine/errors.h"

// Placeholder until the evaluator lands.
int evaluateExpression(std::string_view, std::span<char>, int) { return IncorrectSyntax; }
int evaluateFlat(std::span<char>, int) { return IncorrectSyntax; }
int applyFactorial(std::span<char>) { return IncorrectSyntax; }
