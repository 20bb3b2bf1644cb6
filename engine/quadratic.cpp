// SPDX-License-Identifier: MIT
#include "engine/quadratic.h"

#include <cmath>

#include "engine/characters.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/named_values.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

// Longest coefficient text the solver takes, as typed in the equation: a
// coefficient is evaluated on its own like a small task, so it gets the room of
// a result (kResultLimit); a longer one is refused, never cut.
constexpr std::size_t kCoefficientLimit = kResultLimit;

using CoefficientText = FixedText<kCoefficientLimit>;

// The equation a*x^2 + b*x + c cut into its three coefficient texts.
struct Coefficients {
    CoefficientText a;
    CoefficientText b;
    CoefficientText c;
};

// The term's text before its 'x', without a '*' that joins the two.
std::string_view withoutTrailingStar(std::string_view text) {
    if (!text.empty() && text.back() == '*') text.remove_suffix(1);
    return text;
}

std::string_view withoutLeadingPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    return text;
}

// The quadratic term must be x^2 itself: 'x^3' or 'x^25' is no equation this
// solver can solve, and reading the rest as a constant would give wrong roots.
bool squareFollows(std::string_view equation, std::size_t x) {
    std::string_view after = equation.substr(x + 1);
    if (after.size() < 2 || after[0] != '^' || after[1] != '2') return false;
    return after.size() == 2 || (!isDigit(after[2]) && after[2] != '.');
}

// Reads the linear and the constant term from what follows "x^2". The constant
// term loses a '+' where it is cut out and another after, so "x^2+ +5" is x^2+5.
bool splitRest(std::string_view rest, Coefficients& out) {
    std::size_t x = rest.find('x');
    std::string_view constant;
    if (x == std::string_view::npos) {
        out.b.assign("0");
        constant = withoutLeadingPlus(rest);
    } else {
        if (x == 1 && rest[0] == '+') {
            out.b.assign("1");
        } else if (x == 2 && rest.starts_with("+-")) {
            out.b.assign("-1");
        } else {
            out.b.assign(withoutTrailingStar(withoutLeadingPlus(rest.substr(0, x))));
        }
        constant = rest.substr(x + 1);
    }
    if (constant.empty()) constant = "0";
    out.c.assign(withoutLeadingPlus(constant));
    return !out.b.overflowed && !out.c.overflowed;
}

// Cuts the equation into its coefficient texts. Returns 0, 1001 for a text
// past the coefficient limit, or 1002 when the text is no equation in x^2.
int splitCoefficients(std::string_view equation, Coefficients& out) {
    std::size_t x = equation.find('x');
    if (x == std::string_view::npos || !squareFollows(equation, x)) return IncorrectSyntax;
    std::string_view before = equation.substr(0, x);
    // A '#' mark alone carries no number: "#x^2" is the equation x^2 = 0.
    if (before.starts_with('#') && (before.size() == 1 || before == "#-")) before.remove_prefix(1);
    if (before == "-") {
        out.a.assign("-1");
    } else if (before.empty()) {
        out.a.assign("1");
    } else {
        out.a.assign(withoutTrailingStar(before));
    }
    if (out.a.overflowed) return TooLong;
    return splitRest(equation.substr(x + 3), out) ? 0 : TooLong;
}

bool holdsCapital(std::string_view text) {
    for (char c : text) {
        if (isCapital(c)) return true;
    }
    return false;
}

// Evaluates one coefficient: pi, ans and mem become numbers first; an element
// symbol has no place in a coefficient, and an empty one ("*x^2") is no
// number. Returns 0 or the failure's code.
int evaluateCoefficient(std::string_view text, int angleUnit, std::string_view answer, std::string_view memory,
                        double& value) {
    if (text.empty() || holdsCapital(text)) return IncorrectSyntax;
    char expression[kMathsLimit + 1] = {};
    // substituteNamedValues writes an unknown symbol into the answer it is given; the
    // caller's answer is only read here, so it gets a copy.
    char answerCopy[kAnswerLimit + 1] = {};
    if (!writeText(expression, text)) return TooLong;
    writeTextCut(answerCopy, answer);
    int code = substituteNamedValues(expression, answerCopy, memory, nullptr);
    if (code == 0) code = evaluateExpression(textOf(expression), expression, angleUnit);
    if (code != 0) return code;
    value = readNumber(textOf(expression));
    return 0;
}

struct Roots {
    double result;
    double maths;
};

// Comparisons with 0 are exact; a value that is not a number is not 0 and
// falls through to the undefined roots.
Roots solveForRoots(double a, double b, double c) {
    const double undefined = std::nan("");
    if (c == 0) return {0.0, -b / a};
    if (b == 0) {
        double square = -c / a;
        return {std::sqrt(square), -std::sqrt(square)};
    }
    double discriminant = b * b - 4 * a * c;
    if (discriminant == 0) {
        double root = b / (-2 * a);
        return {root, root};
    }
    if (discriminant > 0) {
        double rootOfDiscriminant = std::sqrt(discriminant);
        return {(rootOfDiscriminant - b) / (2 * a), (-b - rootOfDiscriminant) / (2 * a)};
    }
    return {undefined, undefined};
}

// A root is written as every number of the engine, so the memory directives
// read it back; a root that is no finite real number is named as such.
void writeRoot(double root, std::span<char> field) {
    if (!std::isfinite(root)) {
        writeTextCut(field, errorMessage(Complex));
        return;
    }
    // x^2 has the roots 0 and -0; a zero has no sign to show.
    if (root == 0) root = 0.0;
    writeTextCut(field, writeEngineNumber(root, kEngineDigits).view());
}

int failEquation(std::span<char> maths, int code) {
    writeErrorMessage(static_cast<unsigned>(code), maths);
    return QuadraticError;
}

}  // namespace

int solveQuadratic(std::span<char> maths, std::span<char> result, int angleUnit, std::string_view answer,
                   std::string_view memory) {
    Coefficients coefficients;
    int code = splitCoefficients(textOf(maths), coefficients);
    if (code != 0) return failEquation(maths, code);

    double values[3] = {};
    const CoefficientText* texts[3] = {&coefficients.a, &coefficients.b, &coefficients.c};
    for (int i = 0; i < 3; ++i) {
        code = evaluateCoefficient(texts[i]->view(), angleUnit, answer, memory, values[i]);
        if (code != 0) return failEquation(maths, code);
    }

    Roots roots = solveForRoots(values[0], values[1], values[2]);
    writeRoot(roots.result, result);
    writeRoot(roots.maths, maths);
    return 0;
}

}  // namespace molvane
