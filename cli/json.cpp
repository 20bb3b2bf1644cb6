// SPDX-License-Identifier: MIT
#include "cli/json.h"

#include <charconv>

#include "chemistry/composition.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "session/encoding.h"

namespace molvane {

namespace {

void appendTextField(std::string& out, const char* name, std::string_view cp1252) {
    out += ",\"";
    out += name;
    out += "\":";
    out += jsonString(cp1252ToUtf8(cp1252));
}

void appendNumberField(std::string& out, const char* name, long long value) {
    out += ",\"";
    out += name;
    out += "\":";
    out += writeInteger(value).view();
}

}  // namespace

std::string jsonString(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string taskJson(int kind, const CalcState& state) {
    std::string out = "{\"kind\":";
    out += writeInteger(kind).view();
    appendTextField(out, "szTask", textOf(state.szTask));
    appendTextField(out, "szMaths", textOf(state.szMaths));
    appendTextField(out, "szResult", textOf(state.szResult));
    appendTextField(out, "szAnswer", textOf(state.szAnswer));
    appendTextField(out, "szMemory", textOf(state.szMemory));
    appendNumberField(out, "angleUnit", state.angleUnit);
    appendNumberField(out, "numberMode", state.numberMode);
    appendNumberField(out, "decimals", state.decimals);
    appendNumberField(out, "digitGrouping", state.digitGrouping);
    appendNumberField(out, "functionSeparator", state.functionSeparator);
    appendNumberField(out, "decimalComma", state.decimalComma);
    out += '}';
    return out;
}

std::string refusedJson(std::string_view message) { return "{\"refused\":" + jsonString(message) + "}"; }

namespace {

// The shortest text that reads back as the same double, whatever the locale.
void appendShortest(std::string& out, double value) {
    out += writeShortestNumber(value).view();
}

void appendElement(std::string& out, const ElementShare& element) {
    out += "{\"symbol\":";
    out += jsonString(element.symbol);
    out += ",\"count\":";
    appendShortest(out, element.count);
    out += ",\"mass\":";
    appendShortest(out, element.mass);
    out += ",\"percent\":";
    appendShortest(out, element.percent);
    out += '}';
}

}  // namespace

std::string withCompositionField(std::string json, int kind, const CalcState& record) {
    std::size_t close = json.rfind('}');
    if (close == std::string::npos) return json;
    Composition composition;
    std::string field = ",\"composition\":";
    if (composeFormula(kind, record, composition) != Composed) {
        field += "null";
    } else {
        field += '[';
        for (std::size_t k = 0; k < composition.size; ++k) {
            if (k > 0) field += ',';
            appendElement(field, composition.elements[k]);
        }
        field += ']';
    }
    json.insert(close, field);
    return json;
}

std::string skippedJson(std::string_view reason) { return "{\"skipped\":" + jsonString(reason) + "}"; }

void addTextField(std::string& object, std::string_view name, std::string_view utf8) {
    if (object.empty() || object.back() != '}') return;
    object.pop_back();
    object += ",";
    object += jsonString(name);
    object += ':';
    object += jsonString(utf8);
    object += '}';
}

}  // namespace molvane
