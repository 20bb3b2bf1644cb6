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

// {"skipped":"<reason>"}: a line that holds no task, such as a comment.
std::string skippedJson(std::string_view reason);

// One more text field, "name":"utf8", before the closing brace of `object`.
void addTextField(std::string& object, std::string_view name, std::string_view utf8);

// `utf8` as a JSON string literal, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace molvane
