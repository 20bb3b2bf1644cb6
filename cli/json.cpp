#include "cli/json.h"

#include <charconv>

#include "ui/encoding.h"
#include "engine/text.h"

namespace {

void appendInteger(std::string& out, long long value) {
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    if (error == std::errc()) out.append(digits, end);
}

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
    appendInteger(out, value);
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
    appendInteger(out, kind);
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
