// SPDX-License-Identifier: MIT
// The atomic mass table: 111 element symbols and the texts of their masses.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace molvane {

struct AtomicMass {
    const char* symbol;
    const char* mass;  // exactly as it stands in expressions, trailing zeros kept
};

// The whole table, in alphabetical order of the symbols.
std::span<const AtomicMass> atomicMassTable();

// Bytes that hold the longest mass text ("22.98976928") and its terminator.
constexpr std::size_t kMassTextSize = 12;

// `symbol` (at least kMassTextSize bytes) holds a capital and an optional small letter.
// Returns 0 and overwrites it with the mass text, or UnknownElement with the buffer
// unchanged when the symbol has no entry.
int lookUpAtomicMass(std::span<char> symbol);

}  // namespace molvane
