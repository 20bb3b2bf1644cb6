// SPDX-License-Identifier: MIT
// The least a run of task lines can cost: the lines already in memory, the
// engine calls that molvane-cli makes for each (the record kept as the one
// before, the task run, a quadratic's roots split over the two records), and
// what it prints (the history's line, or the JSON object field for field)
// copied into a buffer at memcpy's cost, with no conversion or escaping. molvane-cli's time on the same file, against
// this, is what reading, decoding and writing cost it.
//
//     molvane_engine_loop [--json] TASK_FILE [ROUNDS]
//
// Prints the tasks run and the nanoseconds a task, the best of ROUNDS (3).
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "engine/text.h"
#include "session/task_history.h"

using namespace molvane;

namespace {

// Appends at memcpy's cost, into memory touched before the clock starts; a
// run longer than the buffer starts it over.
struct Output {
    std::vector<char> bytes = std::vector<char>(std::size_t{1} << 26);
    std::size_t size = 0;
    void add(std::string_view text) {
        if (size + text.size() > bytes.size()) size = 0;
        std::memcpy(bytes.data() + size, text.data(), text.size());
        size += text.size();
    }
};

void addNumber(Output& out, std::string_view name, long long value) {
    char digits[24];
    out.add(name);
    out.add(std::string_view(digits, static_cast<std::size_t>(std::to_chars(digits, digits + 24, value).ptr - digits)));
}

// The object molvane-cli --json writes, field for field, with the texts copied
// as they are: no escaping, no UTF-8.
void addRecord(Output& out, int kind, const CalcState& record) {
    addNumber(out, "{\"kind\":", kind);
    const std::pair<const char*, const char*> texts[] = {{",\"szTask\":\"", record.szTask},
                                                         {"\",\"szMaths\":\"", record.szMaths},
                                                         {"\",\"szResult\":\"", record.szResult},
                                                         {"\",\"szAnswer\":\"", record.szAnswer},
                                                         {"\",\"szMemory\":\"", record.szMemory}};
    for (const auto& [name, text] : texts) {
        out.add(name);
        out.add(textOf(text));
    }
    addNumber(out, "\",\"angleUnit\":", record.angleUnit);
    addNumber(out, ",\"numberMode\":", record.numberMode);
    addNumber(out, ",\"decimals\":", record.decimals);
    addNumber(out, ",\"digitGrouping\":", record.digitGrouping);
    addNumber(out, ",\"functionSeparator\":", record.functionSeparator);
    addNumber(out, ",\"decimalComma\":", record.decimalComma);
    out.add(kind == Failed ? ",\"kindName\":\"failed\",\"answer\":\"" : ",\"kindName\":\"plain\",\"answer\":\"");
    out.add(textOf(record.szAnswer));
    out.add("\"}\n");
}

// Not inlined, so that an instruction count can be limited to it (callgrind --toggle-collect).
[[gnu::noinline]] double runOnce(const std::vector<std::string>& lines, bool json, Output& out) {
    CalcState current;
    CalcState previous;
    int kind = Plain;
    std::clock_t start = std::clock();
    for (const std::string& line : lines) {
        if (kind == Quadratic) reassembleQuadratic(current, previous);
        previous = current;
        writeTextCut(current.szTask, line);
        kind = runTask(current);
        if (json) addRecord(out, kind, current);
        if (kind == Quadratic) splitQuadratic(current, previous);
        if (!json) {
            out.add(textOf(current.szTask));
            out.add(" = ");
            out.add(textOf(current.szAnswer));
            out.add("\n");
        }
    }
    // Processor time, as molvane-cli's is measured: other programs on the machine do not count.
    return static_cast<double>(std::clock() - start) * 1e9 / CLOCKS_PER_SEC;
}

}  // namespace

int main(int argc, char** argv) {
    bool json = argc > 1 && std::string_view(argv[1]) == "--json";
    int first = json ? 2 : 1;
    if (argc <= first) {
        std::fprintf(stderr, "usage: molvane_engine_loop [--json] TASK_FILE [ROUNDS]\n");
        return 2;
    }
    std::ifstream file(argv[first], std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    int rounds = argc > first + 1 ? std::atoi(argv[first + 1]) : 3;
    Output out;
    double best = 0;
    for (int round = 0; round < rounds; ++round) {
        double nanoseconds = runOnce(lines, json, out);
        best = round == 0 ? nanoseconds : std::min(best, nanoseconds);
    }
    std::printf("%zu tasks, %.1f ns a task (%zu bytes written)\n", lines.size(),
                best / static_cast<double>(std::max<std::size_t>(lines.size(), 1)), out.size);
    return 0;
}
