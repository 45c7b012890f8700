#include "ScriptedHost.h"

#include "document/Document.h"
#include "engine/EngineState.h"
#include "run/OccurrenceRecord.h"
#include "run/ReviewSession.h"

using namespace Qt::StringLiterals;

ScriptedHost::Review ScriptedHost::answer(ModalResult result)
{
    return [result](ReviewSession &) { return result; };
}

ScriptedHost::Review ScriptedHost::deleteOccurrence()
{
    return [](ReviewSession &session) {
        return session.DelSelected() ? ModalResult::No : ModalResult::Cancel;
    };
}

ModalResult ScriptedHost::ShowOccurrence(ReviewSession &session)
{
    const EngineState &state = session.state();
    shownAt << state.MatchStart;
    shownText << session.document().mid(state.MatchStart, state.MatchLength);
    checkMirror();
    if (reviews.isEmpty())
        return defaultAnswer;
    const ModalResult result = reviews.takeFirst()(session);
    checkMirror();
    return result;
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

void ScriptedHost::ProgressStart(int fileCount)
{
    events << u"start "_s + QString::number(fileCount);
}

void ScriptedHost::ProgressStep(const QString &fileName)
{
    progressFiles << fileName;
    events << u"step "_s + fileName;
}

void ScriptedHost::ProgressEnd()
{
    events << u"end"_s;
}

void ScriptedHost::ReviewFileChanged(const QString &fileName)
{
    events << u"file "_s + fileName;
}

void ScriptedHost::DocumentLoaded(const Document &document)
{
    ++loads;
    shownDocument = &document;
    mirror = document.text();
}

void ScriptedHost::DocumentEdited(const TextEdit &edit)
{
    ++edits;
    mirror.replace(edit.pos, edit.removed, edit.text);
    checkMirror();
}

void ScriptedHost::ReportFinished()
{
    ++finishedReports;
    events << u"finished"_s;
    checkMirror();
}

void ScriptedHost::OccurrenceMet(const OccurrenceRecord &occurrence)
{
    occurrences << QString::number(occurrence.start) + u':' + occurrence.matched
            + (occurrence.replacement.isNull() ? QString() : u'>' + occurrence.replacement);
    checkMirror();
}

void ScriptedHost::checkMirror()
{
    if (shownDocument && shownDocument->text() != mirror)
        ++mirrorMismatches;
}
