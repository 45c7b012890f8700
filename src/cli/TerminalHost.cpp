#include "TerminalHost.h"

#include "engine/EngineState.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "run/FileOutcome.h"
#include "run/ModalResult.h"
#include "run/OccurrenceRecord.h"
#include "run/ReviewSession.h"

#include <QJsonDocument>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kContext = 60; // characters shown on each side of an occurrence
const QString kPrefix = u"quorvex-batch: "_s;

QString visible(QString text)
{
    return text.replace(u"\r\n"_s, u"⏎"_s).replace(u'\n', u'⏎').replace(u'\r', u'⏎');
}

} // namespace

TerminalHost::TerminalHost(const Settings &settings, const MessageCatalogue &messages,
                           QTextStream &in, QTextStream &out, QTextStream &err)
    : m_settings(settings), m_messages(messages), m_in(in), m_out(out), m_err(err)
{
}

void TerminalHost::say(const QString &text)
{
    clearProgress();
    if (!m_outputClosed)
        m_out.flush(); // the report so far comes first
    m_err << kPrefix << text << QChar(u'\n') << Qt::flush;
}

std::optional<QString> TerminalHost::ask(const QString &prompt)
{
    if (m_inputEnded || m_interrupted)
        return std::nullopt;
    clearProgress();
    flushOutput();
    m_err << prompt << Qt::flush;
    QString answer;
    // A read blocked in the system would not notice Ctrl-C until a line was typed.
    InterruptSignals::Read read = InterruptSignals::Read::Stopped;
    if (!StopRequested()) {
        if (m_settings.readAnswer)
            read = m_settings.readAnswer(answer);
        else
            read = m_in.readLineInto(&answer) ? InterruptSignals::Read::Line
                                              : InterruptSignals::Read::End;
    }
    if (read != InterruptSignals::Read::Line) {
        (read == InterruptSignals::Read::End ? m_inputEnded : m_interrupted) = true;
        m_err << QChar(u'\n') << Qt::flush;
        return std::nullopt;
    }
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
    // No more answers: the rest are not replaced; a find run counts them without asking.
    const ModalResult safe = m_settings.replaceMode ? ModalResult::NoToAll : ModalResult::YesToAll;
    if (m_inputEnded)
        return safe;
    const LineColumn position
        = session.document().positions().lineColumn(session.state().MatchStart);
    clearProgress();
    m_err << session.state().CurrentFileName << QChar(u':') << position.line << QChar(u':')
          << position.column << u": "_s << occurrenceLine(session) << QChar(u'\n');
    const QString prompt
        = m_messages.LoadMessage(m_settings.replaceMode ? MsgCliReplacePrompt : MsgCliFindPrompt);
    for (;;) {
        const std::optional<QString> answer = ask(prompt);
        if (!answer)
            return m_interrupted ? abortNow(session) : safe;
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

ModalResult TerminalHost::abortNow(ReviewSession &session)
{
    m_confirmingAbort = true;
    session.TryToAbort();
    m_confirmingAbort = false;
    return ModalResult::Abort;
}

bool TerminalHost::AskYesNo(const QString &text, const QString &caption, bool questionIcon)
{
    Q_UNUSED(questionIcon);
    if (m_confirmingAbort)
        return true;
    // Nobody could answer: the safe answer is no, and printing the question would only
    // mislead (what went wrong was said when it happened).
    if (!m_settings.interactive)
        return false;
    const std::optional<QString> answer
        = ask(caption + u": "_s + text + m_messages.LoadMessage(MsgCliYesNoPrompt));
    return answer == u"y"; // no more input, or Enter: no
}

void TerminalHost::ShowMessage(const QString &text)
{
    say(text);
}

BackupHost::Answer TerminalHost::AskAbortRetryIgnore(const QString &text)
{
    if (!m_settings.interactive) {
        // The closing abort message alone would not say why the run stopped.
        QString problem = text;
        const QString retry = m_messages.LoadMessage(MsgRetryQuestion);
        if (!retry.isEmpty() && problem.endsWith(retry))
            problem.chop(retry.size());
        say(m_messages.message(MsgCliBackupAbort, problem.trimmed()));
        return Answer::Abort;
    }
    for (;;) {
        const std::optional<QString> answer
            = ask(text + m_messages.LoadMessage(MsgCliAbortRetryIgnorePrompt));
        if (!answer || answer == u"a" || answer->isEmpty())
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
    flushOutput();
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

// Lines reach stdout as the run goes, flushed at least every tenth of a second rather than
// one system call per line.
void TerminalHost::print(const QString &line)
{
    if (m_outputClosed)
        return;
    m_out << line << QChar(u'\n');
    if (!m_sinceFlush.isValid() || m_sinceFlush.elapsed() >= 100)
        flushOutput();
}

void TerminalHost::flushOutput()
{
    m_sinceFlush.start();
    if (m_outputClosed)
        return;
    m_out.flush();
    if (m_out.status() != QTextStream::Ok) {
        m_outputClosed = true;
        say(m_messages.LoadMessage(MsgCliOutputClosed));
    }
}

void TerminalHost::printJson(const QJsonObject &object)
{
    clearProgress();
    print(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

void TerminalHost::ReportLineAppended(const QString &line)
{
    if (m_settings.json)
        return;
    clearProgress();
    print(line);
    // The line must reach the terminal before the bar is drawn again after it.
    if (m_settings.progress)
        flushOutput();
    drawProgress();
}

// Printed at once: holding a file's occurrences until its outcome is known took memory in
// proportion to their number.
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
    printJson(object);
}

void TerminalHost::FileFinished(const FileOutcome &outcome)
{
    if (!m_settings.json)
        return;
    QJsonObject file{{u"file"_s, outcome.path},
                     {u"status"_s, FileOutcome::statusName(outcome.status)},
                     {u"occurrences"_s, outcome.occurrences},
                     {u"written"_s, outcome.status == FileOutcome::Status::Written}};
    if (m_settings.replaceMode)
        file.insert(u"replacements"_s, outcome.replacements);
    if (!outcome.reason.isEmpty())
        file.insert(u"reason"_s, outcome.reason);
    if (!outcome.error.isEmpty())
        file.insert(u"error"_s, outcome.error);
    printJson(file);
}

void TerminalHost::WriteFailed(const QString &path, const QString &reason)
{
    say(m_messages.message(MsgCliWriteFailed, path, reason));
}

bool TerminalHost::StopRequested()
{
    return m_settings.stopRequested && m_settings.stopRequested();
}
