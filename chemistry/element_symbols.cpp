#include "chemistry/element_symbols.h"

// Placeholder until symbol normalisation lands.
int normalizeElementSymbols(std::span<char>, int kind) { return kind; }
