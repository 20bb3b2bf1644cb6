#include "chemistry/formula.h"

#include "engine/errors.h"

// Placeholder until formula translation lands: letters fail, never a wrong number.
int expandFormula(std::span<char>) { return UnknownElement; }
int substituteValues(std::span<char>, std::span<char>, std::string_view) { return IncorrectSyntax; }
