// SPDX-License-Identifier: MIT
#include "ui/insert_texts.h"

#include <utility>

namespace molvane {

namespace {

// Molecule fragments come in brackets so that a count after them multiplies
// the whole group; constants come without their units.
// clang-format off
constexpr std::pair<int, std::string_view> kInserts[] = {
    {2201, "(H2O)"}, {2202, "(OH)"}, {2203, "(CN)"}, {2204, "(CH2)"}, {2205, "(CO3)"},
    {2206, "(NO2)"}, {2207, "(NO3)"}, {2208, "(NH3)"}, {2209, "(NH4)"}, {2210, "(SO3)"},
    {2211, "(SO4)"}, {2212, "(PO4)"}, {2213, "(CrO4)"}, {2214, "(Cr2O7)"},
    {2215, "3.14159265358979"}, {2216, "2.71828182845905"}, {2217, "96485.309"}, {2218, "8.314510"},
    {2219, "101325"}, {2220, "-273.15"}, {2221, "0.0224141"},
    {2231, "1.6605402e-27"}, {2232, "6.0221367e23"}, {2233, "1.380658e-23"}, {2234, "9.1093897e-31"},
    {2235, "1.6021892e-19"}, {2236, "1.60217733e-19"}, {2237, "12.566370614e-7"}, {2238, "8.854187817e-12"},
    {2239, "6.6260755e-34"},
    {2251, "sin"}, {2252, "cos"}, {2253, "tan"}, {2254, "cot"}, {2255, "sec"}, {2256, "csc"},
    {2257, "asin"}, {2258, "acos"}, {2259, "atan"}, {2260, "acot"}, {2261, "asec"}, {2262, "acsc"},
    {2263, "sinh"}, {2264, "cosh"}, {2265, "tanh"}, {2266, "coth"},
    {2267, "asinh"}, {2268, "acosh"}, {2269, "atanh"}, {2270, "acoth"},
    {2271, "sgn"}, {2272, "sqr"}, {2273, "sqrt"}, {2274, "log"}, {2275, "ln"}, {2276, "alog"},
    {2277, "aln"}, {2278, "exp"}, {2279, "int"}, {2280, "abs"}, {2281, "ran"}, {2282, "pi"},
    {2283, "ans"}, {2284, "mem"}, {2285, "!"}, {2286, "x^2+x"},
};
// clang-format on

}  // namespace

std::string_view insertedText(int id) {
    for (const auto& [command, text] : kInserts) {
        if (command == id) return text;
    }
    return {};
}

}  // namespace molvane
