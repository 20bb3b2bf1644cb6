// SPDX-License-Identifier: MIT
#include "session/enter_line.h"

#include "engine/normalize.h"
#include "engine/text.h"

namespace molvane {

EnterOutcome enterTask(TaskSession& session, std::string_view line, const RanTaskObserver& observer) {
    if (line.size() > kInputLineLimit) return EnterOutcome::Refused;
    if (!line.empty() && line.front() == '=') return EnterOutcome::Comment;
    if (session.lastKind == Quadratic) reassembleQuadratic(session.current, session.previous);
    session.previous = session.current;
    writeTextCut(session.current.szTask, line);
    // The engine reads the line as a directive when it holds a '#' anywhere and
    // no "x^" after it ("14#", but not "#x^2", which is an equation).
    // Only a line with a '#' can be one, so no other line is read twice.
    bool directive = false;
    if (textOf(session.current.szTask).find('#') != std::string_view::npos) {
        FixedText<kMathsLimit> normalised;
        directive = normalizeText(textOf(session.current.szTask), normalised) == Directive;
    }
    session.lastKind = runTask(session.current);
    // "#2" or "14#" hands back its number, which is also a task kind: it is a
    // "#" number shown like any answer, not a formula or roots to split.
    if (directive && session.lastKind >= Plain && session.lastKind <= Quadratic) session.lastKind = Directive;
    if (observer) observer(session.lastKind, session.current);
    if (session.lastKind == Quadratic) splitQuadratic(session.current, session.previous);
    return EnterOutcome::Ran;
}

void enterLine(TaskSession& session, std::string_view line, bool taskNumbering, const RanTaskObserver& observer,
               EnteredLine& entered) {
    entered.outcome = enterTask(session, line, observer);
    if (entered.outcome != EnterOutcome::Ran) return;
    composeHistoryEntry(session.lastKind, session.current, session.previous, taskNumbering, session.taskCounter,
                        entered.entry);
}

EnteredLine enterLine(TaskSession& session, std::string_view line, bool taskNumbering,
                      const RanTaskObserver& observer) {
    EnteredLine entered;
    enterLine(session, line, taskNumbering, observer, entered);
    return entered;
}

}  // namespace molvane
