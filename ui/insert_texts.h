// SPDX-License-Identifier: MIT
// The texts that the Insert menu's items put into the input line.
#pragma once

#include <string_view>

namespace molvane {

// The text the Insert command `id` inserts, or "" when `id` inserts nothing.
std::string_view insertedText(int id);

// The function code whose name the Insert command `id` inserts, or 0 when it
// inserts no function's name.
int insertedFunctionCode(int id);

}  // namespace molvane
