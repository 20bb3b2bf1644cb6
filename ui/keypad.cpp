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

// What a screen reader says for each key: its caption in words.
// clang-format off
constexpr std::string_view kKeyNames[kKeyCount] = {
    "Inverse functions", "Sine", "Cosine", "Tangent", "Cotangent", "Pi",
    "Natural logarithm", "Logarithm", "Open bracket", "Close bracket", "Enclose in brackets", "Reciprocal",
    "Clear input", "7", "8", "9", "Power", "Root",
    "Memory store", "4", "5", "6", "Times", "Divided by",
    "Memory recall", "1", "2", "3", "Plus", "Minus",
    "Memory add", "0", "Decimal point", "Exponent", "Hidden equals", "Unused",
};
// clang-format on

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

// In inverse mode the function keys insert their inverses and the clear and
// memory-add keys act on the memory, and their names say so.
std::string keyName(int key, bool inverseMode) {
    if (!inRange(key)) return {};
    std::string name(kKeyNames[key]);
    if (!inverseMode) return name;
    if (isInvertibleKey(key)) {
        name[0] = static_cast<char>(name[0] - 'A' + 'a');
        return "Inverse " + name;
    }
    if (key == ClearKey) return "Memory clear";
    if (key == MemoryAddKey) return "Memory subtract";
    return name;
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
