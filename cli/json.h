// SPDX-License-Identifier: MIT
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

// `json` (one object) with the field "composition" added: the elements of the
// task `record` holds as [{"symbol":"H","count":2,"mass":2.01588,"percent":..},..]
// with every digit a double holds, or null when it has none.
std::string withCompositionField(std::string json, int kind, const CalcState& record);

// {"skipped":"<reason>"}: a line that holds no task, such as a comment.
std::string skippedJson(std::string_view reason);

// One more text field, "name":"utf8", before the closing brace of `object`.
void addTextField(std::string& object, std::string_view name, std::string_view utf8);

// `utf8` as a JSON string literal, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace molvane
