#include "engine/quadratic.h"

#include "engine/errors.h"

// Placeholder until the solver lands.
int solveQuadratic(std::span<char>, std::span<char>, int, std::string_view, std::string_view) { return QuadraticError; }
