// SPDX-License-Identifier: MIT
// A few odd texts read, then many doubles read from decimal texts and written
// back in every style and at their shortest, one line each: built for Linux
// and with emscripten, whose libc++ reads and writes doubles through strtod
// and snprintf instead of from_chars and to_chars, the two outputs must be the
// same byte for byte (scripts/compare-web.sh compares them).
// Usage: number_texts [COUNT]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/numbers.h"

int main(int argc, char** argv) {
    using namespace molvane;
    long count = argc > 1 ? std::atol(argv[1]) : 100000;
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    std::string out;
    // Texts at the edges of reading: no digits, words, hexadecimal, beyond the range.
    for (const char* odd : {".", "-.", "-n", "inf", "-infinity", "nan", "0x1p3", "1e", "1e+", ".5e-3", "1e400",
                            "-1e-400", "-0", "  +7", "--3", "+-3", "4.9e-324", "2.4e-324"}) {
        out += std::string(odd) + " " + std::string(writeShortestNumber(readNumber(odd)).view()) + "\n";
    }
    for (long i = 0; i < count; ++i) {
        std::uint64_t bits = next();
        // Every third double is any bit pattern at all; the others are read
        // from a decimal's few digits, where halves and ties meet the rounding.
        double value = 0;
        if (i % 3 == 0) {
            std::memcpy(&value, &bits, sizeof value);
        } else {
            std::string typed = std::to_string(static_cast<long long>(bits % 2000001) - 1000000);
            typed += (bits >> 32) % 4 == 0 ? "" : ".5";
            typed += "e" + std::to_string(static_cast<int>((bits >> 40) % 61) - 30);
            value = readNumber(typed);
            out += typed + " ";
        }
        out += writeShortestNumber(value).view();
        for (NumberStyle style : {NumberStyle::General, NumberStyle::Scientific, NumberStyle::Fixed}) {
            for (int precision : {0, 1, 3, 6, 10, 15, 17})
                out += std::string(" ") + writeNumber(value, style, precision).text;
        }
        out += '\n';
        if (out.size() > 1 << 16) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
