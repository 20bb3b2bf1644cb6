// SPDX-License-Identifier: MIT
// Prints the double each function of the table gives, to the last bit, for
// scripts/check-rounding.py --values: the answers on display show 15 digits,
// which hide most errors of one unit in the last place.
// Reads lines "NAME UNIT X [Y]" (UNIT 0 radians, 1 degrees, 2 grads; NAME a
// function of the table, "x^y" or "n!") and writes for each the value in C's
// hexadecimal form ("%a"), or "refused CODE".
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/elementary_functions.h"
#include "engine/function_table.h"

using namespace molvane;

int main() {
    char name[32];
    int unit = 0;
    char line[256];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        char xText[100] = "0";
        char yText[100] = "0";
        if (std::sscanf(line, "%31s %d %99s %99s", name, &unit, xText, yText) < 3) continue;
        double x = std::strtod(xText, nullptr);
        double y = std::strtod(yText, nullptr);
        double value = 0.0;
        int refused = 0;
        if (std::strcmp(name, "x^y") == 0) {
            value = power(x, y);
        } else if (std::strcmp(name, "n!") == 0) {
            value = factorial(static_cast<int>(x));
        } else {
            const FunctionRow* row = functionRowNamed(name);
            if (row == nullptr || row->value == nullptr) return 2;
            double h = halfTurn(unit);
            refused = row->refusal == nullptr ? 0 : row->refusal(x, h);
            if (refused == 0) value = row->value(x, h);
        }
        if (refused != 0) {
            std::printf("refused %d\n", refused);
        } else {
            std::printf("%a\n", value);
        }
    }
    return 0;
}
