// SPDX-License-Identifier: MIT
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

// Every key inserts its text but for those that act: the inverse, bracket and
// memory keys, the clear key and the keys under the Enter button.
bool isTextKey(int key) {
    if (!inRange(key) || key >= EqualsKey) return false;
    switch (key) {
        case InverseKey:
        case EncloseKey:
        case ReciprocalKey:
        case ClearKey:
        case MemoryStoreKey:
        case MemoryRecallKey:
        case MemoryAddKey: return false;
        default: return true;
    }
}

bool isInvertibleKey(int key) {
    return (key >= SineKey && key <= CotangentKey) || key == NaturalLogKey || key == LogKey;
}

std::string_view keyToolTip(int key) {
    switch (key) {
        case InverseKey: return "Inverse function";
        case EncloseKey: return "Enclose expression";
        case ReciprocalKey: return "Reciprocal";
        case PowerKey: return "Power (x^y)";
        case RootKey: return "Root (y_x)";
        case MemoryStoreKey: return "Memory store";
        case MemoryRecallKey: return "Memory recall";
        case ExponentKey: return "Exponent";
        default: return {};
    }
}

}  // namespace molvane
