#include "ui/keypad.h"

namespace molvane {

namespace {

constexpr std::string_view kKeyTexts[kKeyCount] = {
    "a...", "sin", "cos", "tan", "cot",   "pi",     //
    "ln",   "log", "(",   ")",   "(...)", "1/...",  //
    "C",    "7",   "8",   "9",   "^",     "_",      //
    "MS",   "4",   "5",   "6",   "*",     "/",      //
    "MR",   "1",   "2",   "3",   "+",     "-",      //
    "M+",   "0",   ".",   "E",   "=",     "",
};

bool inRange(int key) { return key >= 0 && key < kKeyCount; }

}  // namespace

std::string_view keyText(int key) { return inRange(key) ? kKeyTexts[key] : std::string_view(); }

bool isTextKey(int key) {
    return (key >= 1 && key <= 9) || (key >= 13 && key <= 17) || (key >= 19 && key <= 23) || (key >= 25 && key <= 29) ||
           (key >= 31 && key <= 33);
}

bool isInvertibleKey(int key) { return (key >= 1 && key <= 4) || key == 6 || key == 7; }

std::string_view keyToolTip(int key) {
    switch (key) {
        case 0: return "Inverse function";
        case 10: return "Enclose expression";
        case 11: return "Reciprocal";
        case 16: return "Power (x^y)";
        case 17: return "Root (y_x)";
        case 18: return "Memory store";
        case 24: return "Memory recall";
        case 33: return "Exponent";
        default: return {};
    }
}

}  // namespace molvane
