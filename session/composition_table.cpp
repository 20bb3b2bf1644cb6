// SPDX-License-Identifier: MIT
#include "session/composition_table.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

constexpr std::size_t kColumns = 4;
using TableRow = std::array<std::string, kColumns>;

// Twelve digits keep a sum such as 15.9994*4 free of a double's last-digit noise.
constexpr int kShownDigits = 12;
constexpr int kPercentDecimals = 4;

std::string numberText(const NumberText& number, bool decimalComma) {
    std::string text(number.view());
    if (decimalComma) std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

TableRow elementRow(const ElementShare& element, bool decimalComma) {
    return {element.symbol, numberText(writeEngineNumber(element.count, kShownDigits), decimalComma),
            numberText(writeEngineNumber(element.mass, kShownDigits), decimalComma),
            numberText(writeNumber(element.percent, NumberStyle::Fixed, kPercentDecimals), decimalComma)};
}

void appendRow(std::string& out, const TableRow& row, const std::array<std::size_t, kColumns>& widths,
               std::string_view lineEnd) {
    out += "  ";
    out += row[0];
    out.append(widths[0] - row[0].size(), ' ');
    for (std::size_t column = 1; column < kColumns; ++column) {
        out.append(widths[column] - row[column].size() + 2, ' ');
        out += row[column];
    }
    out += lineEnd;
}

}  // namespace

std::string compositionTable(const Composition& composition, bool withHeader, bool decimalComma,
                             std::string_view lineEnd) {
    std::vector<TableRow> rows;
    if (withHeader) rows.push_back({"Element", "Count", "Mass", "Percent"});
    for (std::size_t k = 0; k < composition.size; ++k)
        rows.push_back(elementRow(composition.elements[k], decimalComma));

    std::array<std::size_t, kColumns> widths{};
    for (const TableRow& row : rows) {
        for (std::size_t column = 0; column < kColumns; ++column) {
            widths[column] = std::max(widths[column], row[column].size());
        }
    }
    std::string out;
    for (const TableRow& row : rows) appendRow(out, row, widths, lineEnd);
    return out;
}

std::string compositionWindowText(int kind, const CalcState& record) {
    Composition composition;
    int outcome = composeFormula(kind, record, composition);
    if (outcome != Composed) return compositionMessage(outcome);
    std::string text(textOf(record.szTask));
    text += " = ";
    text += textOf(record.szAnswer);
    text += "\r\n\r\n";
    text += compositionTable(composition, true, record.decimalComma != 0, "\r\n");
    return text;
}

}  // namespace molvane
