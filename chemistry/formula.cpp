// SPDX-License-Identifier: MIT
#include "chemistry/formula.h"

#include "chemistry/atomic_masses.h"
#include "engine/characters.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/named_values.h"
#include "engine/normalize.h"
#include "engine/text.h"

namespace molvane {

namespace {

// The characters between which a formula's terms stand: power, root, product,
// sum and the two ends of a function code. '-' is no separator: it is a sign.
constexpr std::string_view kTermSeparators = "^_*:+/;";

constexpr std::size_t kFormulaLimit = kExpressionLimit;

// Every mass text fits the buffer that the substitution writes it into.
static_assert(kMassTextSize <= kSymbolValueSize);

bool isSeparator(char c) { return c != '\0' && kTermSeparators.find(c) != std::string_view::npos; }
// An exponent's 'e' follows the digits of its mantissa or their point (1.e-5).
bool endsMantissa(char c) { return isDigit(c) || c == '.'; }

// The state of one expandFormula scan. Positions outside the text read as the
// terminator, so no rule ever looks past either end.
struct FormulaScan {
    std::string_view in;
    FixedText<kMathsLimit> out;
    std::size_t i = 0;
    int termCount = 0;       // capitals and '(' met since the last separator
    bool separated = false;  // the formula is more than one term
    std::size_t depth = 0;   // the formula's brackets open at i
    // For each depth, whether a coefficient at the start of that bracket opened
    // a product that ends with the bracket's term: (2H2O) is (2*(H*2+O)).
    bool coefficientOpen[kMathsLimit + 1] = {};

    char at(std::size_t k) const { return k < in.size() ? in[k] : '\0'; }
    char cur() const { return at(i); }
    char prev() const { return i > 0 ? at(i - 1) : '\0'; }
    char beforePrev() const { return i > 1 ? at(i - 2) : '\0'; }
    char next() const { return at(i + 1); }
    bool isLast() const { return i + 1 == in.size(); }
};

void countTerm(FormulaScan& scan) {
    char cur = scan.cur();
    if (isCapital(cur) || cur == '(') ++scan.termCount;
    if (isSeparator(cur)) {
        scan.termCount = 0;
        scan.separated = true;
    }
}

// The number just before i stands at the start of a bracket, signed or not:
// "(2H2O)", "(-2H2O)". It multiplies what follows in the bracket, as a number
// before a formula does.
bool followsBracketCoefficient(const FormulaScan& scan) {
    std::size_t k = scan.i;
    while (k > 0 && (isDigit(scan.at(k - 1)) || scan.at(k - 1) == '.')) --k;
    if (k == scan.i) return false;
    if (k > 0 && scan.at(k - 1) == '-') --k;
    return k > 0 && scan.at(k - 1) == '(';
}

// What goes in front of the character at i when it stands inside a symbol term.
std::string_view prefixInsideTerm(const FormulaScan& scan) {
    char cur = scan.cur();
    char prev = scan.prev();
    if (isSeparator(prev)) return "(";  // the term opens
    if (prev == '(') return "";
    // A coefficient multiplies the whole term (5H2O) or the rest of its bracket
    // ((2H2O)); otherwise the next symbol or bracket group is added.
    if (isCapital(cur) || cur == '(') {
        return isDigit(prev) && (scan.termCount == 1 || followsBracketCoefficient(scan)) ? "*(" : "+";
    }
    if (isDigit(prev) || prev == '.') return "";  // a number goes on
    if (!isDigit(cur) || prev == '-') return "";
    if (prev == 'e' && endsMantissa(scan.beforePrev())) return "";  // digits of an exponent
    return "*";                                                     // a count after a symbol or a bracket multiplies
}

void writeInsideTerm(FormulaScan& scan) {
    std::string_view prefix = prefixInsideTerm(scan);
    // Past the term's first count the product is closed with the bracket's term.
    if (prefix == "*(" && scan.termCount > 1) scan.coefficientOpen[scan.depth] = true;
    scan.out.append(prefix);
    scan.out.append(scan.cur());
}

// Closes the product that a coefficient opened in the bracket at the current
// depth, where that bracket's term ends.
void closeCoefficient(FormulaScan& scan) {
    if (!scan.coefficientOpen[scan.depth]) return;
    scan.out.append(')');
    scan.coefficientOpen[scan.depth] = false;
}

// The formula's own brackets, counted as they open and close; a bracket's
// coefficient product closes just before the bracket does.
void enterBracket(FormulaScan& scan) {
    if (scan.cur() == ')' && scan.depth > 0) closeCoefficient(scan);
}
void leaveBracket(FormulaScan& scan) {
    if (scan.cur() == '(') ++scan.depth;
    if (scan.cur() == ')' && scan.depth > 0) --scan.depth;
}

// Closes the term where it ends: at the end, before a separator, before a '-'.
void closeTerm(FormulaScan& scan) {
    char next = scan.next();
    if (scan.isLast()) {
        scan.out.append(')');
    } else if (isSeparator(next)) {
        if (scan.out.back() == '(') {
            scan.out.truncate(scan.out.length - 1);
        } else {
            scan.out.append(')');
            closeCoefficient(scan);
        }
    } else if (next == '-') {
        // After '(' the '-' is the sign of what the bracket holds: the term goes on.
        if (scan.out.back() == '(') return;
        if (scan.cur() == 'e' && endsMantissa(scan.prev())) {
            scan.out.append('-');
            ++scan.i;  // the exponent's sign is written here
            if (scan.isLast()) scan.out.append(')');
            return;
        }
        // The subtraction form "+-" follows; the '-' itself is copied next.
        scan.out.append(')');
        closeCoefficient(scan);
        scan.out.append('+');
        scan.termCount = 0;
        scan.separated = true;
    }
}

void writeOutsideTerm(FormulaScan& scan) {
    if (scan.cur() == ':' && isDigit(scan.prev())) scan.out.append('*');
    scan.out.append(scan.cur());
}

}  // namespace

int expandFormula(std::span<char> maths) {
    FormulaScan scan;
    scan.in = textOf(maths);
    if (scan.in.size() > kMathsLimit) return TooLong;

    for (scan.i = 0; scan.i < scan.in.size(); ++scan.i) {
        countTerm(scan);
        enterBracket(scan);
        if (scan.termCount > 0 && scan.i == 0 && scan.in.size() > 1) {
            scan.out.append('(');
            scan.out.append(scan.cur());
            closeTerm(scan);
        } else if (scan.termCount > 0 && scan.i > 0) {
            writeInsideTerm(scan);
            closeTerm(scan);
        } else {
            writeOutsideTerm(scan);
        }
        leaveBracket(scan);
        if (scan.out.overflowed) return TooLong;
    }

    // A formula of one single term needs no enclosing brackets.
    if (!scan.separated && scan.out.at(0) == '(') {
        scan.out.erase(0, 1);
        scan.out.truncate(scan.out.length > 0 ? scan.out.length - 1 : 0);
    }
    if (scan.out.length > kFormulaLimit || !writeText(maths, scan.out.view())) return TooLong;
    return 0;
}

int substituteValues(std::span<char> maths, std::span<char> answer, std::string_view memory) {
    return substituteNamedValues(maths, answer, memory, lookUpAtomicMass);
}

}  // namespace molvane
