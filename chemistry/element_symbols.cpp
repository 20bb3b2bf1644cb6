// SPDX-License-Identifier: MIT
#include "chemistry/element_symbols.h"

#include <array>
#include <string_view>

#include "engine/characters.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

namespace molvane {

namespace {

// What a small letter's row adds when the letter became a capital.
enum class ExtraRule {
    None,
    CapitalBeforeFos,  // c, h: "co" is carbon and oxygen, not cobalt
    CapitalO,          // n, p: "no" is nitrogen and oxygen
    CapitalC,          // s: "sc" is sulfur and carbon
    Exponent,          // e: the e of 1e5 is no element
};

struct SymbolPair {
    bool hasRow;                // j and q have none: they are left alone
    std::string_view capitals;  // after these the small letter stays small
    ExtraRule extra;
};

// One row a small letter, 'a' to 'z'.
constexpr std::array<SymbolPair, 26> kSymbolPairs{{
    {true, "BCGLNPRT", ExtraRule::None},         // a
    {true, "DNPRSTY", ExtraRule::None},          // b
    {true, "AST", ExtraRule::CapitalBeforeFos},  // c
    {true, "CGMNP", ExtraRule::None},            // d
    {true, "BCFGHNRSTX", ExtraRule::Exponent},   // e
    {true, "CHR", ExtraRule::None},              // f
    {true, "AHMS", ExtraRule::None},             // g
    {true, "BRT", ExtraRule::CapitalBeforeFos},  // h
    {true, "BLNST", ExtraRule::None},            // i
    {false, "", ExtraRule::None},                // j
    {true, "B", ExtraRule::None},                // k
    {true, "ACT", ExtraRule::None},              // l
    {true, "ACFPST", ExtraRule::None},           // m
    {true, "IMRSZ", ExtraRule::CapitalO},        // n
    {true, "CHMNP", ExtraRule::None},            // o
    {true, "N", ExtraRule::CapitalO},            // p
    {false, "", ExtraRule::None},                // q
    {true, "ABCEFIKLPSZ", ExtraRule::None},      // r
    {true, "ACEHO", ExtraRule::CapitalC},        // s
    {true, "AMP", ExtraRule::None},              // t
    {true, "ACELPR", ExtraRule::None},           // u
    {true, "", ExtraRule::None},                 // v
    {true, "", ExtraRule::None},                 // w
    {true, "", ExtraRule::None},                 // x
    {true, "D", ExtraRule::None},                // y
    {true, "", ExtraRule::None},                 // z
}};

// Capitals that are never a symbol by themselves: a lone one is the second
// letter of the symbol before it (MG is Mg).
constexpr std::string_view kPairOnlyCapitals = "ADEGLMRTXZ";

// The work copy: a blank in front gives the first letter a previous character.
using WorkCopy = FixedText<kTaskLimit + 1>;

void applyExtraRule(WorkCopy& work, std::size_t i, ExtraRule extra) {
    char next = work.at(i + 1);
    switch (extra) {
        case ExtraRule::CapitalBeforeFos:
            if (next == 'f' || next == 'o' || next == 's') work.set(i + 1, toCapital(next));
            break;
        case ExtraRule::CapitalO:
            if (next == 'o') work.set(i + 1, 'O');
            break;
        case ExtraRule::CapitalC:
            if (next == 'c') work.set(i + 1, 'C');
            break;
        case ExtraRule::Exponent:
            if (isDigit(work.at(i - 1)) && (isDigit(next) || next == '-')) work.set(i, 'e');
            break;
        case ExtraRule::None: break;
    }
}

// A small letter stays small after one of its capitals, else it starts a symbol.
void applyPairTable(WorkCopy& work, std::size_t i) {
    char cur = work.at(i);
    if (!isSmall(cur)) return;
    const SymbolPair& row = kSymbolPairs[static_cast<std::size_t>(cur - 'a')];
    if (!row.hasRow) return;
    if (row.capitals.find(work.at(i - 1)) != std::string_view::npos) return;
    work.set(i, toCapital(cur));
    applyExtraRule(work, i, row.extra);
}

int promoted(int kind) {
    if (kind == Plain) return Formula;
    if (kind == Functions) return FormulaFunctions;
    return kind;
}

}  // namespace

int normalizeElementSymbols(std::span<char> task, int kind) {
    std::string_view text = textOf(task);
    if (text.size() > kTaskLimit) return TooLong;

    WorkCopy work;
    work.append(' ');
    work.append(text);
    for (std::size_t i = 1; i < work.length; ++i) {
        applyPairTable(work, i);
        char cur = work.at(i);
        char prev = work.at(i - 1);
        if (isCapital(cur)) {
            kind = promoted(kind);
            if (kPairOnlyCapitals.find(cur) == std::string_view::npos) continue;
            if (isSmall(work.at(i + 1))) {
                ++i;  // the small letter completes the symbol; the table never sees it
            } else {
                work.set(i, toSmall(cur));
                work.set(i - 1, toCapital(prev));
            }
        } else if (isSmall(cur) && isSmall(prev)) {
            work.set(i, toCapital(cur));
        }
    }
    writeText(task, work.view().substr(1));
    return kind;
}

}  // namespace molvane
