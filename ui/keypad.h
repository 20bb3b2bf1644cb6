// SPDX-License-Identifier: MIT
// The 6 x 6 keypad: what each key shows and inserts, and its tooltip.
#pragma once

#include <string>
#include <string_view>

namespace molvane {

constexpr int kKeyCount = 36;
constexpr int kKeyColumns = 6;
// The top rows hold the function keys, smaller than the digit keys below.
constexpr int kFunctionKeyRows = 2;

// The positions of the keys that act or look unlike their neighbours:
// row * kKeyColumns + column.
enum KeyPosition : int {
    InverseKey = 0,
    SineKey = 1,
    CotangentKey = 4,
    NaturalLogKey = 6,
    LogKey = 7,
    EncloseKey = 10,
    ReciprocalKey = 11,
    ClearKey = 12,
    PowerKey = 16,
    RootKey = 17,
    MemoryStoreKey = 18,
    MemoryRecallKey = 24,
    MinusKey = 29,
    MemoryAddKey = 30,
    ExponentKey = 33,
    EqualsKey = 34,  // this and the last key give way to the wide Enter button
};

// The key's caption in its start state, which is also the text a text key
// inserts ("" for the hidden last key).
std::string_view keyText(int key);

// True for the keys that insert their text.
bool isTextKey(int key);

// True for the keys that take an "a" in inverse mode: sin, cos, tan, cot, ln, log.
bool isInvertibleKey(int key);

// What a screen reader calls the key, in words ("Power" for "^"), as it acts
// in inverse mode or out of it.
std::string keyName(int key, bool inverseMode);

// The key's tooltip, or "" for none.
std::string_view keyToolTip(int key);

}  // namespace molvane
