// SPDX-License-Identifier: MIT
#include "chemistry/atomic_masses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/numbers.h"
#include "engine/text.h"

using namespace molvane;

namespace {

// The lookup searches by halves: the table must be in strict ASCII order, and
// every entry a symbol whose mass text reads as a positive number and fits.
TEST(AtomicMasses, TableIsOrderedAndEveryEntryIsFoundAgain) {
    ASSERT_EQ(atomicMassTable().size(), 111u);
    std::string_view previous;
    for (const AtomicMass& entry : atomicMassTable()) {
        std::string_view symbol = entry.symbol;
        SCOPED_TRACE(entry.symbol);
        EXPECT_LT(previous, symbol);
        previous = symbol;
        EXPECT_LT(std::strlen(entry.mass), kMassTextSize);
        EXPECT_GT(readNumber(entry.mass), 0.0);
        char buffer[kMassTextSize] = {};
        std::memcpy(buffer, entry.symbol, symbol.size());
        EXPECT_EQ(lookUpAtomicMass(buffer), 0);
        EXPECT_STREQ(buffer, entry.mass);
    }
}

TEST(AtomicMasses, SymbolsWithoutEntryLeaveTheBufferUnchanged) {
    // Case matters, and only a capital with one small letter or none is a symbol.
    for (const char* symbol : {"J", "Cn", "BA", "b", "", "Zz", "C1", "A", "Zs"}) {
        char buffer[kMassTextSize] = {};
        std::strcpy(buffer, symbol);
        EXPECT_EQ(lookUpAtomicMass(buffer), UnknownElement) << symbol;
        EXPECT_STREQ(buffer, symbol);
    }
    char shortBuffer[3] = {'C', 's', '\0'};  // a mass text never overruns a short buffer
    EXPECT_NE(lookUpAtomicMass(shortBuffer), 0);
    EXPECT_STREQ(shortBuffer, "Cs");
}

}  // namespace
