#include "JournalCommands.h"

#include "io/RunHistory.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "options/SettingsLocation.h"
#include "run/RunUndo.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// A pattern on one line: its line breaks shown as "\n".
QString oneLine(const QString &pattern)
{
    QString shown = pattern;
    return shown.replace(u"\r\n"_s, u"\\n"_s);
}

} // namespace

QString JournalCommands::journalFolder(const QString &programFolder)
{
    return SettingsLocation::journalFolder(programFolder,
                                           SettingsLocation::settingsFilePath(programFolder));
}

int JournalCommands::listRuns(const OptionState &options, const MessageCatalogue &messages,
                              QTextStream &out)
{
    const RunHistory history(options.JournalFolder);
    for (const QString &id : history.ids()) {
        const std::optional<JournalIndex> run
            = JournalIndex::read(QDir(options.JournalFolder).filePath(id));
        if (!run)
            continue;
        // An undo replaced the replacement by the pattern.
        const bool undo = run->kind == u"undo"_s;
        out << messages.message(MsgRunsLine, run->id,
                                oneLine(undo ? run->replacement : run->search),
                                oneLine(undo ? run->search : run->replacement), run->filesChanged())
            << Qt::endl;
    }
    return 0;
}

int JournalCommands::undo(const OptionState &options, const MessageCatalogue &messages,
                          const QString &id, QTextStream &out)
{
    QStringList lines;
    const RunUndo::Totals totals = RunUndo(options, messages).undo(id, lines);
    for (const QString &line : std::as_const(lines))
        out << line << Qt::endl;
    if (!totals.found || totals.failed > 0)
        return 2;
    return totals.changedSince > 0 ? 1 : 0;
}
