// SPDX-License-Identifier: MIT
// Task lines in sequence through runTask on one record, as a user typing them
// one after another would run them; the record's invariants hold after each.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "chemistry/composition.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/normalize.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "fuzz/record_checks.h"

using namespace molvane;

namespace {

char lowerCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// What a task is, judged from its normalised text as runTask will see it.
struct TaskShape {
    bool directive = false;        // holds a '#'
    bool commandNumber = false;    // '#' then digits: returns that number
    bool memoryDirective = false;  // the directive's keyword is 'm'
};

TaskShape shapeOf(std::string_view task) {
    FixedText<kMathsLimit> normalized;
    TaskShape shape;
    if (normalizeText(task, normalized) == TooLong || normalized.length > kTaskLimit) return shape;
    std::string_view text = normalized.view();
    shape.directive = text.find('#') != std::string_view::npos;
    // The keyword is read at the second character, wherever the '#' stands.
    char keyword = lowerCase(normalized.at(1));
    shape.commandNumber = shape.directive && isDigit(keyword);
    shape.memoryDirective = shape.directive && keyword == 'm';
    return shape;
}

bool isTaskKind(int kind) { return kind >= Failed && kind <= Quadratic; }

void requireKind(int kind, const TaskShape& shape, std::string_view line) {
    if (!shape.directive) {
        if (!isTaskKind(kind)) failInvariant("a task returned no task kind", line);
        return;
    }
    // A '#' before an "x^" still makes a quadratic equation: the later mark wins.
    if (isTaskKind(kind) || kind == Directive) return;
    if (shape.commandNumber && kind >= 0) return;
    if (shape.memoryDirective && isErrorCode(kind)) return;
    failInvariant("a directive returned an unexpected number", line);
}

// The memory changes only by a memory directive that succeeds, and only ever
// holds a number: no message lands there.
void requireMemoryRules(const CalcState& before, const CalcState& state, int kind, const TaskShape& shape,
                        std::string_view line) {
    bool changed = std::memcmp(before.szMemory, state.szMemory, sizeof state.szMemory) != 0;
    if (changed && !shape.memoryDirective) failInvariant("a task that is no memory directive changed the memory", line);
    if (changed && isErrorCode(kind)) failInvariant("a failed memory directive changed the memory", line);
    FixedText<kMathsLimit> number;
    if (state.szMemory[0] != '\0' && !takeNumberText(textOf(state.szMemory), number)) {
        failInvariant("the memory holds no number", line);
    }
}

// A formula's shares add up to 100 percent and to the answer; a double keeps
// that promise only in its normal range, where no digits are lost.
void requireCompositionSums(const CalcState& state, int kind, std::string_view line) {
    Composition composition;
    if (composeFormula(kind, state, composition) != Composed) return;
    double percent = 0;
    for (std::size_t k = 0; k < composition.size; ++k) percent += composition.elements[k].percent;
    if (std::fabs(percent - 100.0) > 1e-9) failInvariant("a composition's percents do not add up to 100", line);
    double answer = readNumber(textOf(state.szResult));
    if (answer > 1e-290 && answer < 1e290 && std::fabs(composition.molarMass - answer) > 1e-9 * answer) {
        failInvariant("a composition's masses do not add up to the answer", line);
    }
}

void runLine(CalcState& state, std::string_view line) {
    // As the callers do: a line longer than the task field is cut at its end,
    // and a NUL ends the text there.
    writeTextCut(state.szTask, line);
    TaskShape shape = shapeOf(textOf(state.szTask));
    CalcState before = state;

    int kind = runTask(state);

    requireTerminatedTexts(state, line);
    requireKind(kind, shape, line);
    requireSettingsInRange(state, line);
    if (!shape.directive && !sameSettings(before, state))
        failInvariant("a task that is no directive changed a setting", line);
    requireMemoryRules(before, state, kind, shape, line);
    requireCompositionSums(state, kind, line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The same input must always run the same way, "ran" included.
    seedRandomNumbers(1);
    std::string_view input(reinterpret_cast<const char*>(data), size);
    CalcState state;
    // Lines end at LF, CR LF or a lone CR.
    while (!input.empty()) {
        std::size_t end = input.find_first_of("\r\n");
        runLine(state, input.substr(0, end));
        if (end == std::string_view::npos) break;
        std::size_t next = end + 1;
        if (input[end] == '\r' && next < input.size() && input[next] == '\n') ++next;
        input.remove_prefix(next);
    }
    return 0;
}
