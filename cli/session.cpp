#include "cli/session.h"

#include "chemistry/composition.h"
#include "cli/json.h"
#include "engine/text.h"
#include "session/composition_table.h"
#include "session/encoding.h"

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

std::string refuseLine(const CliSession& session) {
    std::string refusal =
        session.format == OutputFormat::Json ? refusedJson(kTooLongMessage) : std::string(kTooLongMessage);
    refusal += '\n';
    return refusal;
}

std::string runLine(CliSession& session, std::string_view utf8Line) {
    std::string json;
    RanTaskObserver toJson;
    if (session.format == OutputFormat::Json) {
        toJson = [&json](int kind, const CalcState& record) { json = taskJson(kind, record) + '\n'; };
    }
    // The history never numbers a terminal's lines.
    EnteredLine entered = enterLine(session.tasks, utf8ToCp1252(utf8Line), false, toJson);
    if (entered.outcome == EnterOutcome::Refused) return refuseLine(session);
    // A line that begins with "=" is a comment: nothing runs and nothing is logged.
    if (entered.outcome == EnterOutcome::Comment) return {};
    if (session.format == OutputFormat::Json) {
        return session.showComposition ? withCompositionField(json, session.tasks.lastKind, session.tasks.current)
                                       : json;
    }
    if (session.showComposition) return historyLines(entered.entry.text) + compositionLines(session.tasks);
    return historyLines(entered.entry.text);
}

}  // namespace molvane
