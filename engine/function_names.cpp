// SPDX-License-Identifier: MIT
// Function names and their codes: ':22;' stands for "sin" inside engine texts.
#include "engine/function_names.h"

#include <string_view>

#include "engine/characters.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/function_table.h"
#include "engine/text.h"

namespace molvane {

namespace {

constexpr char kCodeOpen = ':';
constexpr char kCodeClose = ';';

// Every name of a group contains its guard: a task without the guard can skip
// the whole group.
struct GuardedGroup {
    int firstCode;
    int nextCode;
    std::string_view guard;
};
constexpr GuardedGroup kGuardedGroups[] = {
    {11, 18, "cos"}, {18, 23, "sin"}, {23, 28, "cot"}, {28, 34, "tg"}, {34, 39, "tan"},
};

// Each two-letter name grows by two characters when coded, so a task within
// its limit never codes into more than twice that; the limit is checked on the
// finished text, as names of five and six letters shrink it again.
using CodingText = FixedText<2 * kTaskLimit>;

// The first code from `code` on worth searching: groups whose guard is absent
// are skipped, one after another.
int firstCodeToSearch(int code, std::string_view text) {
    for (const GuardedGroup& group : kGuardedGroups) {
        if (group.firstCode == code && text.find(group.guard) == std::string_view::npos) code = group.nextCode;
    }
    return code;
}

// Codes hold no letters, so replacing left to right never joins letters into
// a new occurrence: one pass finds them all.
bool replaceName(CodingText& text, std::string_view name, int code) {
    const char codeText[kFunctionCodeLength] = {kCodeOpen, static_cast<char>('0' + code / 10),
                                                static_cast<char>('0' + code % 10), kCodeClose};
    bool replaced = false;
    std::size_t at = text.view().find(name);
    while (at != std::string_view::npos && !text.overflowed) {
        text.erase(at, name.size());
        text.insert(at, std::string_view(codeText, kFunctionCodeLength));
        replaced = true;
        at = text.view().find(name, at + kFunctionCodeLength);
    }
    return replaced;
}

// The code whose ';' stands at `semicolon`, or 0 when the characters there
// are no complete code.
int codeEndingAt(std::span<const char> text, std::size_t semicolon) {
    if (semicolon < kFunctionCodeLength - 1) return 0;
    std::size_t colon = semicolon - (kFunctionCodeLength - 1);
    if (text[colon] != kCodeOpen || !isDigit(text[colon + 1]) || !isDigit(text[colon + 2])) return 0;
    return (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
}

}  // namespace

const char* functionName(int code) {
    const FunctionRow* row = functionRowOf(code);
    return row == nullptr ? nullptr : row->name;
}

int encodeFunctionNames(std::span<char> task) {
    std::string_view original = textOf(task);
    if (original.size() > kTaskLimit) return TooLong;

    CodingText coded;
    coded.assign(original);
    NameCoding result = NoNameFound;
    int searchFrom = 0;  // rows below this code belong to a skipped group
    for (const FunctionRow& row : functionRows()) {
        if (row.code < searchFrom) continue;
        searchFrom = firstCodeToSearch(row.code, coded.view());
        if (row.code < searchFrom) continue;
        if (replaceName(coded, row.name, row.code)) result = NamesCoded;
    }
    if (coded.overflowed || coded.length > kTaskLimit) return TooLong;
    if (!writeText(task, coded.view())) return TooLong;
    return result;
}

void decodeFunctionNames(std::span<char> text, int functionSeparator) {
    std::size_t length = textOf(text).size();
    // A field without its terminator holds no text to rewrite.
    if (length == text.size()) return;

    // The search goes on after each ';' looked at, so a code outside the
    // table stays where it is and is not met again.
    std::size_t from = 0;
    for (;;) {
        std::size_t semicolon = std::string_view(text.data(), length).find(kCodeClose, from);
        if (semicolon == std::string_view::npos) break;
        from = semicolon + 1;
        const char* name = functionName(codeEndingAt(text, semicolon));
        if (name == nullptr) continue;
        std::size_t colon = semicolon - (kFunctionCodeLength - 1);
        std::size_t start = functionSeparator == 0 ? colon : colon + 1;
        std::string_view shown(name);
        length = replaceTextCut(text, length, start, semicolon + 1 - start, shown);
        from = start + shown.size();
    }
}

}  // namespace molvane
