#include "session/enter_line.h"

#include "engine/text.h"

namespace molvane {

EnterOutcome enterTask(TaskSession& session, std::string_view line, const RanTaskObserver& observer) {
    if (line.size() > kInputLineLimit) return EnterOutcome::Refused;
    if (!line.empty() && line.front() == '=') return EnterOutcome::Comment;
    if (session.lastKind == Quadratic) reassembleQuadratic(session.current, session.previous);
    session.previous = session.current;
    writeTextCut(session.current.szTask, line);
    session.lastKind = runTask(session.current);
    // "#2" or "#4" hands back its number, which is also a task kind: it is a
    // "#" number shown like any answer, not a formula or roots to split.
    bool hashNumber = session.current.szTask[0] == '#' && session.lastKind >= Plain && session.lastKind <= Quadratic;
    if (hashNumber) session.lastKind = Directive;
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
