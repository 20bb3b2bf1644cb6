// SPDX-License-Identifier: MIT
// One task as a line of JSON: the record as runTask left it.
//
// Every piece is appended to one text that a run keeps from line to line, so
// a long run does not build and copy a string for every field.
#pragma once

#include <string>
#include <string_view>

#include "engine/engine.h"

namespace molvane {

// {"kind":..,"szTask":..,...,"decimalComma":.. with texts in UTF-8: the object
// is left open for the fields that follow it.
void appendRecordJson(std::string& out, int kind, const CalcState& state);

// ,"name":"text" for a Windows-1252 engine text. With `controlsShown`, control
// characters become '?', as they do wherever a task is shown; otherwise they
// are escaped.
void appendTextField(std::string& out, std::string_view name, std::string_view cp1252, bool controlsShown);

// ,"composition":[{"symbol":"H","count":2,"mass":2.01588,"percent":..},..]:
// the elements of the task `record` holds, with every digit a double holds,
// or null when it has none.
void appendCompositionField(std::string& out, int kind, const CalcState& record);

// {"refused":"<message>"}: a line that was not run.
std::string refusedJson(std::string_view message);

// {"skipped":"<reason>"}: a line that holds no task, such as a comment.
std::string skippedJson(std::string_view reason);

// `utf8` as a JSON string literal, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace molvane
