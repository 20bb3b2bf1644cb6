#include "cli/session.h"

#include <utility>

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
    if (c == '\t' || c == '\n') return false;
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// An engine text as terminal text, without its control characters.
std::string shownText(std::string_view cp1252) {
    std::string text;
    for (char c : cp1252) text += isControl(static_cast<unsigned char>(c)) ? '?' : c;
    return cp1252ToUtf8(text);
}

// The history's entry as terminal lines: without its leading line break and
// with LF line ends. An empty task still prints its blank line.
std::string historyLines(const std::string& entry) {
    std::string lines;
    std::size_t start = entry.compare(0, 2, "\r\n") == 0 ? 2 : 0;
    for (std::size_t i = start; i < entry.size(); ++i) {
        if (entry[i] == '\r' && i + 1 < entry.size() && entry[i + 1] == '\n') continue;
        lines += isControl(static_cast<unsigned char>(entry[i])) ? '?' : entry[i];
    }
    if (lines.empty()) lines.push_back('\n');
    return cp1252ToUtf8(lines);
}

// A formula task's elements, after its answer; why it has none when it names
// elements but is no pure formula; nothing for a task without a formula.
std::string compositionLines(const TaskSession& tasks) {
    if (tasks.lastKind != Formula && tasks.lastKind != FormulaFunctions) return {};
    Composition composition;
    int outcome = composeFormula(tasks.lastKind, tasks.current, composition);
    if (outcome != Composed) return std::string("  ") + compositionMessage(outcome) + '\n';
    return cp1252ToUtf8(compositionTable(composition, false, tasks.current.decimalComma != 0, "\n"));
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

LineOutput refuseLine(const CliSession& session) {
    LineOutput output;
    output.failed = true;
    if (session.format == OutputFormat::Json) {
        output.out = refusedJson(kTooLongMessage) + '\n';
    } else if (session.format == OutputFormat::Terse) {
        output.err = std::string(kTooLongMessage) + '\n';
    } else {
        output.out = std::string(kTooLongMessage) + '\n';
    }
    return output;
}

namespace {

// The record's object with what the display shows: the kind's name, the answer
// and a quadratic's two roots as x1 and x2.
std::string jsonOfTask(std::string object, int kind, const TaskSession& tasks) {
    addTextField(object, "kindName", kindName(kind, tasks.current));
    addTextField(object, "answer", shownText(textOf(tasks.current.szAnswer)));
    if (kind == Quadratic) {
        addTextField(object, "x1", shownText(textOf(tasks.previous.szAnswer)));
        addTextField(object, "x2", shownText(textOf(tasks.current.szAnswer)));
    }
    return object + '\n';
}

// Only the answer: a quadratic's two roots on one line, a failure's message on
// standard error.
LineOutput terseOutput(int kind, const TaskSession& tasks) {
    LineOutput output;
    std::string answer = shownText(textOf(tasks.current.szAnswer)) + '\n';
    if (taskFailed(kind, tasks.current)) {
        output.err = answer;
    } else if (kind == Quadratic) {
        output.out = shownText(textOf(tasks.previous.szAnswer)) + ' ' + answer;
    } else {
        output.out = answer;
    }
    return output;
}

}  // namespace

LineOutput runLine(CliSession& session, std::string_view line) {
    std::string json;
    RanTaskObserver toJson;
    if (session.format == OutputFormat::Json) {
        toJson = [&json](int kind, const CalcState& record) { json = taskJson(kind, record); };
    }
    // The history never numbers a terminal's lines.
    EnteredLine entered = enterLine(session.tasks, decodeTaskText(line), false, toJson);
    if (entered.outcome == EnterOutcome::Refused) return refuseLine(session);
    LineOutput output;
    if (entered.outcome == EnterOutcome::Comment) {
        // A script that pairs its lines with the objects needs one for every line.
        if (session.format == OutputFormat::Json) output.out = skippedJson("comment") + '\n';
        return output;
    }
    int kind = session.tasks.lastKind;
    if (session.format == OutputFormat::Terse) {
        output = terseOutput(kind, session.tasks);
    } else if (session.format == OutputFormat::Json) {
        std::string object = jsonOfTask(std::move(json), kind, session.tasks);
        output.out = session.showComposition ? withCompositionField(std::move(object), kind, session.tasks.current)
                                             : std::move(object);
    } else {
        output.out = historyLines(entered.entry.text);
        if (session.showComposition) output.out += compositionLines(session.tasks);
    }
    output.failed = taskFailed(kind, session.tasks.current);
    return output;
}

}  // namespace molvane
