#include "engine/function_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/text.h"

using namespace molvane;

namespace {

std::string repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(EncodeFunctionNames, CodesNamesLongestFirstWithinTheField) {
    struct Row {
        std::string task, coded;
        int result;
    };
    const std::string tooLong = std::string(507, '1') + "2pi";
    const Row rows[] = {
        {"sin(30)", ":22;(30)", 1},
        {"2acos0.5", "2:15;0.5", 1},
        {"sinh1", ":21;1", 1},
        {"2pi", "2:61;", 1},
        {"NaCl", "NaCl", 2},
        {"cosec2", ":12;2", 1},
        {"arctg1", ":29;1", 1},
        {"tg1", ":33;1", 1},
        {"ctg1", ":32;1", 1},
        {"sin", ":22;", 1},
        {"ans*mem", ":62;*:63;", 1},
        {"sinsin", ":22;:22;", 1},
        {"asinh(1)+sinh(1)+asin(1)+sin(1)", ":19;(1)+:21;(1)+:20;(1)+:22;(1)", 1},
        {"sqrt4+sqr2+rand9+ran9", ":43;4+:44;2+:52;9+:53;9", 1},
        {"alog2+log2+aln2+ln2", ":47;2+:49;2+:46;2+:48;2", 1},
        {"asec1+sec1", ":39;1+:40;1", 1},
        {"acsc2+sec1", ":41;2+:40;1", 1},
        {"", "", 2},
        // Too long before or after coding.
        {std::string(510, '1'), std::string(510, '1'), 2},
        {tooLong, tooLong, 1001},
        {std::string(506, '1') + "pi", std::string(506, '1') + ":61;", 1},
        // "cos" grows the text past 510 before "arcsin" shrinks it again: only the end counts.
        {repeat("cos", 40) + repeat("arcsin", 60), repeat(":17;", 40) + repeat(":18;", 60), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("task '" + row.task.substr(0, 40) + "' of " + std::to_string(row.task.size()));
        char task[kTaskLimit + 1] = {};
        ASSERT_TRUE(writeText(task, row.task));
        EXPECT_EQ(encodeFunctionNames(task), row.result);
        EXPECT_EQ(std::string(task), row.coded);
    }
    // A field without a terminator within 510 characters is too long already.
    char unterminated[kTaskLimit + 5];
    std::fill(std::begin(unterminated), std::end(unterminated), 'x');
    EXPECT_EQ(encodeFunctionNames(unterminated), 1001);
}

// Names shown again can be longer than their codes: the text is cut at the field's end.
TEST(DecodeFunctionNames, ShowsNamesAgainWithinTheField) {
    struct Row {
        std::string text;
        int separator;
        std::string shown;
    };
    const Row rows[] = {
        {"2*:22;30", 1, "2*:sin30"},
        {"2:22;30", 1, "2:sin30"},
        {"2*:22;30", 0, "2*sin30"},
        {"2:22;30", 0, "2sin30"},
        {":61;", 0, "pi"},
        {":61;", 1, ":pi"},
        {"2+3", 1, "2+3"},
        {":11;:63;", 0, "acosecmem"},
        // Any separator but 0 keeps the colon.
        {":22;1", 2, ":sin1"},
        {":22;1", -7, ":sin1"},
        // Codes outside the table and broken codes stay as they are.
        {":57;1+:22;1", 0, ":57;1+sin1"},
        {":99;", 0, ":99;"},
        {":10;", 1, ":10;"},
        {";;;;", 0, ";;;;"},
        {":2;", 0, ":2;"},
        {"12;", 0, "12;"},
        {":ab;", 0, ":ab;"},
        {";:22;", 0, ";sin"},
        {"x22;:22;", 0, "x22;sin"},
        {":22;;", 0, "sin;"},
        {"::22;", 1, "::sin"},
        {":2:22;", 0, ":2sin"},
        // Cut at the end of a task-sized field.
        {repeat(":34;", 127), 0, repeat("arctan", 127).substr(0, kTaskLimit)},
        {repeat(":34;", 127), 1, repeat(":arctan", 127).substr(0, kTaskLimit)},
        {std::string(504, '1') + ":34;+7", 0, std::string(504, '1') + "arctan"},
        {std::string(506, '1') + ":11;", 0, std::string(506, '1') + "acos"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40) + " of " + std::to_string(row.text.size()) + ", separator " +
                     std::to_string(row.separator));
        char text[kTaskLimit + 1] = {};
        ASSERT_TRUE(writeText(text, row.text));
        decodeFunctionNames(text, row.separator);
        EXPECT_EQ(std::string(text), row.shown);
    }
}

// Every short text of code characters, in a field of exactly its own size, so
// that a read or write past the field is caught by the sanitizers.
TEST(DecodeFunctionNames, StaysInsideAnyShortText) {
    const std::string_view alphabet = ":;126x";
    const std::size_t maxLength = 6;
    for (std::size_t length = 0; length <= maxLength; ++length) {
        std::size_t combinations = 1;
        for (std::size_t i = 0; i < length; ++i) combinations *= alphabet.size();
        for (std::size_t n = 0; n < combinations; ++n) {
            std::unique_ptr<char[]> field(new char[length + 1]);
            for (std::size_t i = 0, rest = n; i < length; ++i, rest /= alphabet.size()) {
                field[i] = alphabet[rest % alphabet.size()];
            }
            field[length] = '\0';
            for (int separator : {0, 1, 2}) {
                decodeFunctionNames(std::span<char>(field.get(), length + 1), separator);
                ASSERT_LE(textOf(std::span<const char>(field.get(), length + 1)).size(), length)
                    << "text number " << n << " of length " << length;
            }
        }
    }
}

TEST(FunctionName, TableEnds) {
    const std::pair<int, const char*> rows[] = {
        {11, "acosec"}, {22, "sin"},   {33, "tg"},    {54, "sgn"},   {61, "pi"},    {63, "mem"},
        {10, nullptr},  {55, nullptr}, {60, nullptr}, {64, nullptr}, {-1, nullptr},
    };
    for (const auto& [code, name] : rows) {
        SCOPED_TRACE(code);
        if (name == nullptr) {
            EXPECT_EQ(functionName(code), nullptr);
        } else {
            EXPECT_STREQ(functionName(code), name);
        }
    }
}

}  // namespace
