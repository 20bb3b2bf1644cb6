// SPDX-License-Identifier: MIT
#include "chemistry/composition.h"

#include <cmath>
#include <string_view>

#include "chemistry/atomic_masses.h"
#include "chemistry/formula.h"
#include "engine/characters.h"
#include "engine/normalize.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

// The expanded formula (H*2+S+O*4) read as sums of products. Each product has
// exactly one part made of atoms, a symbol or a bracket, and numbers that
// multiply it; anything else is arithmetic on molar masses, which has no
// composition. The recursion is as deep as the brackets nest, which the
// expression's length bounds.
struct CompositionScan {
    std::string_view text;
    std::size_t i = 0;
    Composition& out;

    char at(std::size_t k) const { return k < text.size() ? text[k] : '\0'; }
    char cur() const { return at(i); }
};

bool addSum(CompositionScan& scan, double scale);

// A number as the engine writes one into a formula: digits and a point, and
// an exponent whose 'e' follows them (1.5e-3).
bool readCoefficient(CompositionScan& scan, double& value) {
    std::size_t start = scan.i;
    while (isDigit(scan.cur()) || scan.cur() == '.') ++scan.i;
    if (scan.cur() == 'e') {
        ++scan.i;
        if (scan.cur() == '-') ++scan.i;
        if (!isDigit(scan.cur())) return false;
        while (isDigit(scan.cur())) ++scan.i;
    }
    value = readNumber(scan.text.substr(start, scan.i - start));
    return std::isfinite(value);
}

// Past the bracket that opens at scan.i, or false when it never closes.
bool skipBracket(CompositionScan& scan) {
    int depth = 0;
    do {
        if (scan.cur() == '(') ++depth;
        if (scan.cur() == ')') --depth;
        if (scan.cur() == '\0') return false;
        ++scan.i;
    } while (depth > 0);
    return true;
}

// A capital and the small letter after it, as the mass pass reads them: in
// the expanded formula a number never follows a symbol without its '*'.
bool skipSymbol(CompositionScan& scan) {
    ++scan.i;
    if (isSmall(scan.cur())) ++scan.i;
    return true;
}

bool addAtoms(CompositionScan& scan, std::string_view symbol, double count) {
    char mass[kMassTextSize] = {};
    if (!writeText(mass, symbol) || lookUpAtomicMass(mass) != 0) return false;
    Composition& out = scan.out;
    std::size_t k = 0;
    while (k < out.size && textOf(out.elements[k].symbol) != symbol) ++k;
    if (k == out.size) {
        if (out.size == kCompositionLimit) return false;
        writeText(out.elements[k].symbol, symbol);
        ++out.size;
    }
    out.elements[k].count += count;
    out.elements[k].mass += count * readNumber(textOf(mass));
    return true;
}

// The part made of atoms, `scale` times.
bool addAtomsPart(CompositionScan& scan, double scale) {
    if (scan.cur() == '(') {
        ++scan.i;
        if (!addSum(scan, scale) || scan.cur() != ')') return false;
        ++scan.i;
        return true;
    }
    std::size_t start = scan.i;
    skipSymbol(scan);
    return addAtoms(scan, scan.text.substr(start, scan.i - start), scale);
}

// The coefficients of a product may stand after its atoms ((S+O*4)*3), so
// they are multiplied first and the atoms are read once their scale is known.
bool addProduct(CompositionScan& scan, double scale) {
    double coefficient = 1;
    std::size_t atomsAt = scan.text.size();
    bool atomsMet = false;
    for (;;) {
        char c = scan.cur();
        if (isDigit(c) || c == '.') {
            double value = 0;
            if (!readCoefficient(scan, value)) return false;
            coefficient *= value;
        } else if (isCapital(c) || c == '(') {
            if (atomsMet) return false;  // NaCl*H2O multiplies two molar masses
            atomsMet = true;
            atomsAt = scan.i;
            if (!(c == '(' ? skipBracket(scan) : skipSymbol(scan))) return false;
        } else {
            return false;
        }
        if (scan.cur() != '*') break;
        ++scan.i;
    }
    if (!atomsMet) return false;  // a bare number added to a formula
    std::size_t end = scan.i;
    scan.i = atomsAt;
    bool added = addAtomsPart(scan, scale * coefficient);
    scan.i = end;
    return added;
}

bool addSum(CompositionScan& scan, double scale) {
    for (;;) {
        if (!addProduct(scan, scale)) return false;
        if (scan.cur() != '+') return true;
        ++scan.i;
    }
}

// The task as the formula pass reads it. The decimal comma turned the points
// of the task into commas after it ran; they are points again here.
bool expandTask(const CalcState& record, CalcState& work) {
    writeText(work.szTask, textOf(record.szTask));
    for (char& c : work.szTask) {
        if (c == ',') c = '.';
    }
    writeText(work.szMaths, textOf(work.szTask));
    return prepareSigns(work) == 0 && expandFormula(work.szMaths) == 0;
}

void shareOut(Composition& composition) {
    for (std::size_t k = 0; k < composition.size; ++k) composition.molarMass += composition.elements[k].mass;
    for (std::size_t k = 0; k < composition.size; ++k) {
        ElementShare& element = composition.elements[k];
        element.percent = element.mass / composition.molarMass * 100.0;
    }
}

}  // namespace

int composeFormula(int kind, const CalcState& record, Composition& composition) {
    composition = Composition{};
    if (kind == FormulaFunctions) return FormulaWithFunctions;
    if (kind != Formula) return NoFormula;

    CalcState work;
    if (!expandTask(record, work)) return NotPureFormula;
    CompositionScan scan{textOf(work.szMaths), 0, composition};
    bool pure = addSum(scan, 1.0) && scan.i == scan.text.size();
    shareOut(composition);
    if (!pure || !(composition.molarMass > 0) || !std::isfinite(composition.molarMass)) {
        composition = Composition{};
        return NotPureFormula;
    }
    return Composed;
}

const char* compositionMessage(int outcome) {
    switch (outcome) {
        case Composed: return "";
        case FormulaWithFunctions: return "No composition: the formula is mixed with functions";
        case NotPureFormula: return "No composition: only '+' and coefficients may join the parts of a formula";
        default: return "No formula in the last task";
    }
}

}  // namespace molvane
