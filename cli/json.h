// One task as a line of JSON: the record as runTask left it.
#pragma once

#include <string>
#include <string_view>

#include "engine/engine.h"

namespace molvane {

// {"kind":..,"szTask":..,...,"decimalComma":..} on one line, texts in UTF-8.
std::string taskJson(int kind, const CalcState& state);

// {"refused":"<message>"}: a line that was not run.
std::string refusedJson(std::string_view message);

// `utf8` as a JSON string literal, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace molvane
