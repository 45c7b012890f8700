#include "TerminalHost.h"

#include "engine/EngineState.h"
#include "run/ModalResult.h"
#include "run/OccurrenceRecord.h"
#include "run/ReviewSession.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kContext = 60; // characters shown on each side of an occurrence

QString visible(QString text)
{
    return text.replace(u"\r\n"_s, u"⏎"_s).replace(u'\n', u'⏎').replace(u'\r', u'⏎');
}

} // namespace

TerminalHost::TerminalHost(const Settings &settings, QTextStream &in, QTextStream &out,
                           QTextStream &err)
    : m_settings(settings), m_in(in), m_out(out), m_err(err)
{
}

std::optional<QString> TerminalHost::ask(const QString &prompt)
{
    clearProgress();
    m_err << prompt << Qt::flush;
    QString answer;
    if (!m_in.readLineInto(&answer))
        return std::nullopt;
    return answer.trimmed();
}

QString TerminalHost::occurrenceLine(const ReviewSession &session) const
{
    const Document &document = session.document();
    const EngineState &state = session.state();
    const qsizetype start = state.MatchStart;
    const qsizetype end = start + state.MatchLength;
    const qsizetype from = std::max<qsizetype>(0, start - kContext);
    QString before = document.mid(from, start - from);
    QString after = document.mid(end, kContext);
    // Only the occurrence's own line around it, unless the occurrence spans lines itself.
    before = before.mid(std::max(before.lastIndexOf(u'\n'), before.lastIndexOf(u'\r')) + 1);
    const qsizetype lineEnd = after.indexOf(QRegularExpression(u"[\r\n]"_s));
    if (lineEnd >= 0)
        after.truncate(lineEnd);
    const QString open = m_settings.terminal ? u"\x1b[7m"_s : u"[["_s;
    const QString close = m_settings.terminal ? u"\x1b[0m"_s : u"]]"_s;
    return before + open + visible(document.mid(start, state.MatchLength)) + close + after;
}

ModalResult TerminalHost::ShowOccurrence(ReviewSession &session)
{
    if (!m_settings.interactive)
        return ModalResult::YesToAll; // a find run counts every occurrence without asking
    const LineColumn position
        = session.document().positions().lineColumn(session.state().MatchStart);
    clearProgress();
    m_err << session.state().CurrentFileName << QChar(u':') << position.line << QChar(u':')
          << position.column << u": "_s << occurrenceLine(session) << QChar(u'\n');
    const QString prompt = m_settings.replaceMode
        ? u"Replace? [y]es, [a]ll, [n]o, [N]o to all, [q]uit: "_s
        : u"Continue? [y]es, [a]ll without asking, [q]uit: "_s;
    for (;;) {
        const std::optional<QString> answer = ask(prompt);
        if (!answer)
            return session.TryToAbort() ? ModalResult::Abort : ModalResult::Cancel;
        if (answer == u"q") {
            if (session.TryToAbort())
                return ModalResult::Abort;
            continue;
        }
        if (answer == u"y" || answer->isEmpty())
            return ModalResult::Yes;
        if (answer == u"a")
            return ModalResult::YesToAll;
        if (m_settings.replaceMode && answer == u"n")
            return ModalResult::No;
        if (m_settings.replaceMode && answer == u"N")
            return ModalResult::NoToAll;
    }
}

bool TerminalHost::AskYesNo(const QString &text, const QString &caption, bool questionIcon)
{
    Q_UNUSED(questionIcon);
    if (!m_settings.interactive) {
        m_err << caption << u": "_s << text << u" no\n"_s;
        return false;
    }
    const std::optional<QString> answer = ask(caption + u": "_s + text + u" [y/n] "_s);
    return !answer || answer == u"y"; // no more input: yes, so that the run ends
}

void TerminalHost::ShowMessage(const QString &text)
{
    clearProgress();
    m_err << text << QChar(u'\n') << Qt::flush;
}

BackupHost::Answer TerminalHost::AskAbortRetryIgnore(const QString &text)
{
    if (!m_settings.interactive) {
        m_err << text << u" abort\n"_s;
        return Answer::Abort;
    }
    for (;;) {
        const std::optional<QString> answer = ask(text + u" [a]bort, [r]etry, [i]gnore: "_s);
        if (!answer || answer == u"a")
            return Answer::Abort;
        if (answer == u"r")
            return Answer::Retry;
        if (answer == u"i")
            return Answer::Ignore;
    }
}

void TerminalHost::ProgressStart(int fileCount)
{
    m_fileCount = fileCount;
    m_fileIndex = 0;
}

void TerminalHost::ProgressStep(const QString &fileName)
{
    ++m_fileIndex;
    m_fileName = fileName;
    drawProgress();
}

void TerminalHost::ProgressEnd()
{
    clearProgress();
}

void TerminalHost::drawProgress()
{
    if (!m_settings.progress || m_fileCount <= 0)
        return;
    constexpr int width = 30;
    const int filled = int(qint64(width) * m_fileIndex / m_fileCount);
    m_err << u"\r\x1b[K["_s << QString(filled, u'#') << QString(width - filled, u' ') << u"] "_s
          << m_fileIndex << QChar(u'/') << m_fileCount << QChar(u' ') << m_fileName.left(40)
          << Qt::flush;
    m_progressShown = true;
}

void TerminalHost::clearProgress()
{
    if (!m_progressShown)
        return;
    m_err << u"\r\x1b[K"_s << Qt::flush;
    m_progressShown = false;
}

void TerminalHost::ReportLineAppended(const QString &line)
{
    if (m_settings.json)
        return;
    clearProgress();
    m_out << line << QChar(u'\n') << Qt::flush;
    drawProgress();
}

void TerminalHost::OccurrenceMet(const OccurrenceRecord &occurrence)
{
    if (!m_settings.json)
        return;
    const LineColumn position = occurrence.position();
    QJsonObject object{{u"path"_s, occurrence.path},
                       {u"offset"_s, occurrence.start},
                       {u"length"_s, occurrence.matched.size()},
                       {u"line"_s, position.line},
                       {u"column"_s, position.column},
                       {u"match"_s, occurrence.matched}};
    if (!occurrence.replacement.isNull())
        object.insert(u"replacement"_s, occurrence.replacement);
    clearProgress();
    m_out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact))
          << QChar(u'\n');
}
