// The 6 x 6 keypad: what each key shows and inserts, and its tooltip.
#pragma once

#include <string_view>

namespace molvane {

constexpr int kKeyCount = 36;
constexpr int kKeyColumns = 6;

// The key's caption in its start state, which is also the text a text key
// inserts ("" for the hidden last key).
std::string_view keyText(int key);

// True for the keys that insert their text.
bool isTextKey(int key);

// True for the keys that take an "a" in inverse mode: sin, cos, tan, cot, ln, log.
bool isInvertibleKey(int key);

// The key's tooltip, or "" for none.
std::string_view keyToolTip(int key);

}  // namespace molvane
