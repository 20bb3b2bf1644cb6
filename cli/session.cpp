// SPDX-License-Identifier: MIT
#include "cli/session.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "chemistry/composition.h"
#include "cli/json.h"
#include "engine/characters.h"
#include "engine/errors.h"
#include "engine/text.h"
#include "session/composition_table.h"
#include "session/encoding.h"
#include "session/task_text.h"

namespace molvane {

namespace {

// A task given back as typed may hold any byte: control characters (escape
// sequences, a bare CR, the C1 controls of Windows-1252's undefined bytes) must
// not reach the user's terminal.
bool isControl(unsigned char byte) {
    char32_t c = codePointOfCp1252(byte);
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Printable ASCII, the tab and the line feed: bytes a terminal is given as they are.
bool isPlainByte(unsigned char byte) { return (byte >= 0x20 && byte < 0x7F) || byte == '\t' || byte == '\n'; }

// True when the eight bytes of `word` are all printable ASCII: no byte is
// below ' ' (one would leave a high bit in (word - 0x2020..) & ~word) and none
// above '~' (one would leave a high bit in (word + 0x0101..) | word).
bool isPrintableWord(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighBits = 0x8080808080808080;
    return ((((word - kOnes * ' ') & ~word) | ((word + kOnes) | word)) & kHighBits) == 0;
}

// Writes what a terminal shows of a byte that is not plain, at `p`: '?' for a
// control character, the UTF-8 of any other; returns the end.
char* putShownByte(char* p, unsigned char byte) {
    if (isControl(byte)) {
        *p++ = '?';
        return p;
    }
    char c = static_cast<char>(byte);
    std::string utf8 = cp1252ToUtf8(std::string_view(&c, 1));
    std::memcpy(p, utf8.data(), utf8.size());
    return p + utf8.size();
}

// An engine text as terminal text, appended: its control characters as '?',
// a CR that ends a line with the LF after it dropped. A byte becomes at most
// three of UTF-8; eight plain bytes at a time are copied as one word.
void appendShownText(std::string& out, std::string_view cp1252) {
    std::size_t used = out.size();
    out.resize(used + 3 * cp1252.size());
    char* p = out.data() + used;
    std::size_t i = 0;
    while (i < cp1252.size()) {
        for (std::uint64_t word = 0; i + 8 <= cp1252.size(); i += 8, p += 8) {
            std::memcpy(&word, cp1252.data() + i, sizeof word);
            if (!isPrintableWord(word)) break;
            std::memcpy(p, &word, sizeof word);
        }
        std::size_t stop = std::min(i + 8, cp1252.size());
        for (; i < stop; ++i) {
            unsigned char byte = static_cast<unsigned char>(cp1252[i]);
            if (isPlainByte(byte)) {
                *p++ = static_cast<char>(byte);
            } else if (byte != '\r' || i + 1 == cp1252.size() || cp1252[i + 1] != '\n') {
                p = putShownByte(p, byte);
            }
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

// The history's entry as terminal lines: without its leading line break and
// with LF line ends. An empty task still prints its blank line.
void appendHistoryLines(std::string& out, std::string_view entry) {
    if (entry.starts_with("\r\n")) entry.remove_prefix(2);
    std::size_t before = out.size();
    appendShownText(out, entry);
    if (out.size() == before) out += '\n';
}

// A formula task's elements, after its answer; why it has none when it names
// elements but is no pure formula; nothing for a task without a formula.
void appendCompositionLines(std::string& out, const TaskSession& tasks) {
    if (tasks.lastKind != Formula && tasks.lastKind != FormulaFunctions) return;
    Composition composition;
    int outcome = composeFormula(tasks.lastKind, tasks.current, composition);
    if (outcome != Composed) {
        out += "  ";
        out += compositionMessage(outcome);
        out += '\n';
        return;
    }
    out += cp1252ToUtf8(compositionTable(composition, false, tasks.current.decimalComma != 0, "\n"));
}

}  // namespace

bool taskFailed(int kind, const CalcState& record) {
    if (kind == Failed) return true;
    std::string_view task = textOf(record.szTask);
    return kind >= TooLong && !(task.size() > 1 && isDigit(task[1]));
}

std::string_view kindName(int kind, const CalcState& record) {
    if (taskFailed(kind, record)) return "failed";
    switch (kind) {
        case Plain: return "plain";
        case Functions: return "functions";
        case Formula: return "formula";
        case FormulaFunctions: return "formulaFunctions";
        case Quadratic: return "quadratic";
        default: return "directive";
    }
}

void refuseLine(const CliSession& session, LineOutput& output) {
    std::string& to = session.format == OutputFormat::Terse ? output.err : output.out;
    to += session.format == OutputFormat::Json ? refusedJson(kTooLongMessage) : std::string(kTooLongMessage);
    to += '\n';
}

namespace {

// After the record's fields: what the display shows, the kind's name, the
// answer and a quadratic's two roots as x1 and x2; the object is closed.
void appendShownFields(std::string& out, int kind, const CliSession& session) {
    const TaskSession& tasks = session.tasks;
    appendTextField(out, "kindName", kindName(kind, tasks.current), true);
    appendTextField(out, "answer", textOf(tasks.current.szAnswer), true);
    if (kind == Quadratic) {
        appendTextField(out, "x1", textOf(tasks.previous.szAnswer), true);
        appendTextField(out, "x2", textOf(tasks.current.szAnswer), true);
    }
    if (session.showComposition) appendCompositionField(out, kind, tasks.current);
    out += "}\n";
}

// Only the answer: a quadratic's two roots on one line, a failure's message on
// standard error.
void appendTerse(LineOutput& output, int kind, const TaskSession& tasks) {
    bool failed = taskFailed(kind, tasks.current);
    std::string& out = failed ? output.err : output.out;
    if (!failed && kind == Quadratic) {
        appendShownText(out, textOf(tasks.previous.szAnswer));
        out += ' ';
    }
    appendShownText(out, textOf(tasks.current.szAnswer));
    out += '\n';
}

}  // namespace

bool runLine(CliSession& session, std::string_view line, LineOutput& output) {
    RanTaskObserver toJson;
    if (session.format == OutputFormat::Json) {
        // The record as runTask left it, before a quadratic's roots are split.
        toJson = [&output](int kind, const CalcState& record) { appendRecordJson(output.out, kind, record); };
    }
    // Only the history's lines need its entry, and that never numbers a terminal's lines.
    std::string_view task = decodeTaskText(line, session.decoded);
    EnterOutcome outcome = EnterOutcome::Ran;
    if (session.format == OutputFormat::History) {
        enterLine(session.tasks, task, false, toJson, session.entered);
        outcome = session.entered.outcome;
    } else {
        outcome = enterTask(session.tasks, task, toJson);
    }
    if (outcome == EnterOutcome::Refused) {
        refuseLine(session, output);
        return true;
    }
    if (outcome == EnterOutcome::Comment) {
        // A script that pairs its lines with the objects needs one for every line.
        if (session.format == OutputFormat::Json) output.out += skippedJson("comment") + '\n';
        return false;
    }
    int kind = session.tasks.lastKind;
    if (session.format == OutputFormat::Terse) {
        appendTerse(output, kind, session.tasks);
    } else if (session.format == OutputFormat::Json) {
        appendShownFields(output.out, kind, session);
    } else {
        appendHistoryLines(output.out, session.entered.entry.text);
        if (session.showComposition) appendCompositionLines(output.out, session.tasks);
    }
    return taskFailed(kind, session.tasks.current);
}

}  // namespace molvane
