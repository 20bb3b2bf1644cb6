// SPDX-License-Identifier: MIT
#include "ui/insert_texts.h"

#include <utility>

#include "engine/function_table.h"

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
    {2285, "!"}, {2286, "x^2+x"},
};

// The function items insert a function's name as the function table spells it.
constexpr std::pair<int, int> kFunctionInserts[] = {
    {2251, 22}, {2252, 17}, {2253, 38}, {2254, 27}, {2255, 40}, {2256, 42},
    {2257, 20}, {2258, 15}, {2259, 36}, {2260, 25}, {2261, 39}, {2262, 41},
    {2263, 21}, {2264, 16}, {2265, 37}, {2266, 26},
    {2267, 19}, {2268, 14}, {2269, 35}, {2270, 24},
    {2271, 54}, {2272, 44}, {2273, 43}, {2274, 49}, {2275, 48}, {2276, 47},
    {2277, 46}, {2278, 45}, {2279, 51}, {2280, 50}, {2281, 53}, {2282, kPiCode},
    {2283, kAnswerCode}, {2284, kMemoryCode},
};
// clang-format on

}  // namespace

int insertedFunctionCode(int id) {
    for (const auto& [command, code] : kFunctionInserts) {
        if (command == id) return code;
    }
    return 0;
}

std::string_view insertedText(int id) {
    if (const FunctionRow* row = functionRowOf(insertedFunctionCode(id))) return row->name;
    for (const auto& [command, text] : kInserts) {
        if (command == id) return text;
    }
    return {};
}

}  // namespace molvane
