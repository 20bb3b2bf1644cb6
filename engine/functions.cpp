#include "engine/functions.h"

#include "engine/errors.h"

// Placeholder until the function library lands.
int applyFunction(std::span<char>, int) { return IncorrectSyntax; }
void seedRandomGenerator(unsigned) {}
