#include "ScriptedHost.h"

#include "engine/EngineState.h"
#include "run/ReviewSession.h"

using namespace Qt::StringLiterals;

ScriptedHost::Review ScriptedHost::answer(int result)
{
    return [result](ReviewSession &) { return result; };
}

ScriptedHost::Review ScriptedHost::deleteOccurrence()
{
    return [](ReviewSession &session) {
        return session.DelSelected() ? int(ModalResult::No) : int(ModalResult::Cancel);
    };
}

int ScriptedHost::ShowOccurrence(ReviewSession &session)
{
    const EngineState &state = session.state();
    shownAt << state.MatchStart;
    shownText << session.document().mid(state.MatchStart, state.MatchLength);
    if (reviews.isEmpty())
        return defaultAnswer;
    return reviews.takeFirst()(session);
}

bool ScriptedHost::AskYesNo(const QString &text, const QString &caption, bool questionIcon)
{
    Q_UNUSED(questionIcon);
    questions << caption + u": "_s + text;
    if (beforeYesNo)
        beforeYesNo();
    return yesNo.isEmpty() ? defaultYesNo : yesNo.takeFirst();
}

BackupHost::Answer ScriptedHost::AskAbortRetryIgnore(const QString &text)
{
    questions << text;
    return abortRetryIgnore.isEmpty() ? Answer::Abort : abortRetryIgnore.takeFirst();
}
