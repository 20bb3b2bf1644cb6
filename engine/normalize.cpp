// SPDX-License-Identifier: MIT
// The text rewriters between the task line and the evaluator: normalisation and
// classification of the line, completion with the previous answer, and the
// rewriting of minus signs into the forms the evaluator reads.
#include "engine/normalize.h"

#include "engine/characters.h"
#include "engine/errors.h"
#include "engine/function_table.h"

namespace molvane {

namespace {

// A '_' after one of these (or at the start) has no index before it: a square root.
constexpr std::string_view kRootAfter = "^_/*+-";
// After one of these, a '-' in front of a digit is the sign of that number.
constexpr std::string_view kNumberSignAfter = "(;*^/";
// A task that ends in one of these takes the previous answer after it.
constexpr std::string_view kOperatorsAtEnd = "*+-/^_";
// A task that begins with one of these takes the previous answer in front.
constexpr std::string_view kOperatorsAtStart = "*+/^";

constexpr unsigned char kMultiplicationSign = 0xD7;  // Windows-1252
constexpr unsigned char kDivisionSign = 0xF7;

bool isOneOf(char c, std::string_view set) { return c != '\0' && set.find(c) != std::string_view::npos; }
char charAt(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : '\0'; }

// Every function name and the names pi, ans and mem begin with one of these;
// any other letter can only be part of an element symbol.
constexpr std::string_view kNameInitials = "almpst";

// What one more letter makes of the task's kind; an exponent letter changes nothing.
int classifyLetter(char letter, int kind) {
    if (letter == 'e' || letter == 'E') return kind;
    if (kNameInitials.find(letter) != std::string_view::npos) return kind <= FormulaFunctions ? Functions : kind;
    return kind == Plain ? Formula : kind;
}

// An 'e' between a digit and the exponent's digits or sign; a '+' there is dropped,
// since a number the engine writes never holds one.
std::size_t writeExponentLetter(char letter, char previous, char next, FixedText<kMathsLimit>& out) {
    bool exponent = isDigit(previous) && (isDigit(next) || next == '-' || next == '+');
    out.append(exponent ? 'e' : letter);
    return exponent && next == '+' ? 1 : 0;
}

// "x^" (or "x**") makes the task a quadratic equation, whatever came before.
void writePower(char previous, FixedText<kMathsLimit>& out, int& kind) {
    if (previous == 'x' || previous == 'X') kind = Quadratic;
    out.append('^');
}

// Writes the character at `i` (and what it consumes after it) in the engine's
// character set, and advances `i`. Returns false at '=', where the task ends.
bool normalizeCharacter(std::string_view line, std::size_t& i, FixedText<kMathsLimit>& out, int& kind) {
    char c = line[i];
    char next = charAt(line, i + 1);
    char previous = out.back();
    ++i;
    switch (c) {
        case '=': return false;
        case '#':
            kind = Directive;
            out.append('#');
            return true;
        case '^': writePower(previous, out, kind); return true;
        case '*':
            if (next != '*')
                out.append('*');
            else {
                writePower(previous, out, kind);
                ++i;
            }
            return true;
        case '+':
            if (next == '+') ++i;
            out.append('+');
            return true;
        // The second '-' is read again: "5--3" becomes "5-1*-3".
        case '-': out.append(next == '-' ? "-1*" : "-"); return true;
        case ',':
        case '.': out.append(isDigit(previous) ? "." : "0."); return true;
        case '_': out.append(previous == '\0' || isOneOf(previous, kRootAfter) ? "2_" : "_"); return true;
        case 'e':
        case 'E': i += writeExponentLetter(c, previous, next, out); return true;
        default: break;
    }
    if (isDigit(c) || isOneOf(c, "/!()[]{}")) {
        out.append(c);
    } else if (isLetter(c)) {
        out.append(c);
        kind = classifyLetter(c, kind);
    } else if (static_cast<unsigned char>(c) == kMultiplicationSign) {
        out.append('*');
    } else if (static_cast<unsigned char>(c) == kDivisionSign) {
        out.append('/');
    }
    return true;
}

// The codes of values (pi, ans, mem) need nothing after them; every other
// function code still waits for its argument.
bool endsInOperator(std::string_view task) {
    if (task.empty()) return false;
    char last = task.back();
    if (isOneOf(last, kOperatorsAtEnd)) return true;
    return last == ';' && !isValueCodeTens(charAt(task, task.size() - 3));
}

// Brackets of every shape are parentheses to the evaluator; the signs are read
// with them already turned, so "[2]-3" subtracts as "(2)-3" does.
char asParenthesis(char c) {
    if (c == '[' || c == '{') return '(';
    if (c == ']' || c == '}') return ')';
    return c;
}

// An 'e' is an exponent only after a digit or a point: the 'e' of He or Fe ends
// an element symbol, and the '-' after it is an ordinary minus.
bool endsInExponentLetter(const FixedText<kMathsLimit>& out) {
    if (out.length < 2 || out.back() != 'e') return false;
    char beforeLetter = out.at(out.length - 2);
    return isDigit(beforeLetter) || beforeLetter == '.';
}

// Writes one '-' in the evaluator's forms. The evaluator has no subtraction: a
// sign before a digit binds to its number before any operator, a subtraction is
// the addition of a negative ("+-"), and "-1*" gives a negation the rank of a
// multiplication.
void writeMinus(FixedText<kMathsLimit>& out, char next) {
    if (endsInExponentLetter(out)) {
        out.append('-');
        return;
    }
    char before = out.back();
    if (isDigit(before) || isOneOf(before, ")!.")) out.append('+');
    next = asParenthesis(next);
    // An element symbol is negated as a whole formula term, like a bracket.
    bool negation =
        isDigit(next) ? !isOneOf(before, kNumberSignAfter) : (next == '(' || next == ':' || isCapital(next));
    out.append(negation ? "-1*" : "-");
}

}  // namespace

bool isNumberText(std::string_view text) {
    if (text.empty() || !isDigit(text.back())) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isLetter(text[i])) continue;
        bool exponent = text[i] == 'e' && i > 0 && (isDigit(text[i - 1]) || text[i - 1] == '.');
        if (!exponent) return false;
    }
    return true;
}

int normalizeText(std::string_view line, FixedText<kMathsLimit>& out) {
    out.clear();
    if (line.size() > kMathsLimit) return TooLong;
    int kind = Plain;
    std::size_t i = 0;
    while (i < line.size() && normalizeCharacter(line, i, out, kind)) {
        if (out.overflowed) return TooLong;
    }
    return kind;
}

int normalizeTask(CalcState& state) {
    FixedText<kMathsLimit> normalized;
    int kind = normalizeText(textOf(state.szTask), normalized);
    if (kind == TooLong || normalized.length > kTaskLimit) return TooLong;
    writeText(state.szTask, normalized.view());
    return kind;
}

bool takeNumberText(std::string_view text, FixedText<kMathsLimit>& number) {
    if (normalizeText(text, number) == TooLong || !isNumberText(number.view())) {
        number.clear();
        return false;
    }
    return true;
}

int addPreviousAnswer(std::span<char> task, std::string_view answer) {
    std::string_view text = textOf(task);
    if (text.size() > kTaskLimit) return TooLong;
    bool atEnd = endsInOperator(text);
    bool atStart = !text.empty() && isOneOf(text.front(), kOperatorsAtStart);
    if (!atEnd && !atStart) return 0;

    FixedText<kMathsLimit> number;
    if (!takeNumberText(answer, number)) return AnswerNotNumber;
    FixedText<kTaskLimit> completed;
    if (atStart) completed.append(number.view());
    completed.append(text);
    if (atEnd) {
        // "5-" and the answer -3 meet as normalisation writes "5--3".
        if (text.back() == '-' && number.view().front() == '-') completed.append("1*");
        completed.append(number.view());
    }
    if (completed.overflowed || !writeText(task, completed.view())) return TooLong;
    return 0;
}

int prepareSigns(CalcState& state) {
    if (textOf(state.szTask).size() > kTaskLimit) return TooLong;
    std::string_view maths = textOf(state.szMaths);
    FixedText<kMathsLimit> out;
    std::size_t i = 0;
    // A leading '-' before a digit is that number's sign; before anything else a negation.
    if (charAt(maths, 0) == '-') {
        out.append(isDigit(charAt(maths, 1)) ? "-" : "-1*");
        i = 1;
    }
    for (; i < maths.size(); ++i) {
        char c = asParenthesis(maths[i]);
        if (c == '-') {
            writeMinus(out, charAt(maths, i + 1));
        } else {
            // A digit before a function code multiplies: "2:22;30" is 2*sin30.
            if (c == ':' && isDigit(out.back())) out.append('*');
            out.append(c);
        }
        if (out.overflowed) return TooLong;
    }
    writeText(state.szMaths, out.view());
    return 0;
}

}  // namespace molvane
