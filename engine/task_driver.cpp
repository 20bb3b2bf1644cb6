// SPDX-License-Identifier: MIT
// runTask: one task line from the user to its answer.
#include "chemistry/element_symbols.h"
#include "chemistry/formula.h"
#include "engine/directives.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/function_names.h"
#include "engine/normalize.h"
#include "engine/quadratic.h"
#include "engine/text.h"

namespace molvane {

namespace {

// A failure's message stands where the answer would.
void showError(CalcState& state, int code) {
    writeErrorMessage(static_cast<unsigned>(code), state.szResult);
    writeTextCut(state.szAnswer, textOf(state.szResult));
}

// The user reads names, never codes.
void decodeTaskAndMaths(CalcState& state) {
    decodeFunctionNames(state.szTask, state.functionSeparator);
    decodeFunctionNames(state.szMaths, state.functionSeparator);
}

// The first failure ends the task.
int failTask(CalcState& state, int code, std::string_view typedLine) {
    showError(state, code);
    decodeTaskAndMaths(state);
    // Symbol normalisation may have changed the case of the letters: give the
    // user back the line as typed, to correct it.
    if (code == UnknownElement) writeTextCut(state.szTask, typedLine);
    return Failed;
}

void clearTask(CalcState& state) {
    writeText(state.szTask, "");
    writeText(state.szMaths, "");
    writeText(state.szResult, "");
    writeText(state.szAnswer, "");
}

// A quadratic equation reads as one in the history: its task ends in " = 0".
int finishQuadratic(CalcState& state, int code) {
    FixedText<kTaskLimit + 4> equation;
    equation.append(textOf(state.szTask));
    equation.append(" = 0");
    writeTextCut(state.szTask, equation.view());
    decodeFunctionNames(state.szTask, state.functionSeparator);
    if (code != 0) {
        showError(state, code);
        return Failed;
    }
    formatAnswer(state);
    return Quadratic;
}

int evaluateTask(CalcState& state, int kind, std::string_view typedLine) {
    int code = evaluateExpression(textOf(state.szMaths), state.szResult, state.angleUnit);
    if (code != 0) return failTask(state, code, typedLine);
    formatAnswer(state);
    if (kind == Functions || kind == FormulaFunctions) decodeTaskAndMaths(state);
    return kind;
}

int copyTaskToMaths(CalcState& state) {
    writeTextCut(state.szMaths, textOf(state.szTask));
    return prepareSigns(state);
}

}  // namespace

int runTask(CalcState& state) {
    FixedText<kTaskLimit> typedLine;
    typedLine.append(textOf(state.szTask));

    int kind = normalizeTask(state);
    if (isErrorCode(kind)) return failTask(state, kind, typedLine.view());
    if (textOf(state.szTask).empty()) {
        clearTask(state);
        return Plain;
    }
    if (kind == Directive) {
        int result = applyDirective(state);
        if (result == UnknownDirective) return failTask(state, result, typedLine.view());
        return result;
    }

    // Names are coded in equations too, so pi, ans, mem and functions work in
    // their coefficients.
    if (kind == Functions || kind == Quadratic) {
        int coded = encodeFunctionNames(state.szTask);
        if (isErrorCode(coded)) return failTask(state, coded, typedLine.view());
        // Letters that are no names are element symbols.
        if (kind == Functions) kind = coded == NamesCoded ? Functions : Formula;
    }
    int code = addPreviousAnswer(state.szTask, textOf(state.szAnswer));
    if (code != 0) return failTask(state, code, typedLine.view());

    // The only letters of a plain task are 'e' and 'E', read as exponents and
    // never as symbols: it goes to the evaluator as it stands.
    if (kind != Plain) {
        kind = normalizeElementSymbols(state.szTask, kind);
        if (isErrorCode(kind)) return failTask(state, kind, typedLine.view());
    }

    code = copyTaskToMaths(state);
    if (code != 0) return failTask(state, code, typedLine.view());

    if (kind == Quadratic) {
        code = solveQuadratic(state.szMaths, state.szResult, state.angleUnit, textOf(state.szAnswer),
                              textOf(state.szMemory));
        return finishQuadratic(state, code);
    }
    if (kind == Formula || kind == FormulaFunctions) code = expandFormula(state.szMaths);
    if (code == 0 && kind != Plain) code = substituteValues(state.szMaths, state.szAnswer, textOf(state.szMemory));
    if (code != 0) return failTask(state, code, typedLine.view());
    return evaluateTask(state, kind, typedLine.view());
}

}  // namespace molvane
