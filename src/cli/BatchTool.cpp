#include "BatchTool.h"

#include "BackgroundList.h"
#include "CliOptions.h"
#include "DiffHost.h"
#include "JournalCommands.h"
#include "TerminalHost.h"

#include "io/AtomicFileWriter.h"

#include "lang/InterfaceLanguage.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "run/FileListFile.h"
#include "run/FolderScan.h"
#include "run/QuorvexCore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus { Found = 0, NothingFound = 1, Error = 2 };

using Say = std::function<void(const QString &)>;

// Adds `path`; when it does not exist, says so, and false. The run still gets it, so that it
// counts among the entries given and not processed, and has its own JSON object.
bool takeExisting(const QString &path, const MessageCatalogue &m, QStringList &files,
                  const Say &say)
{
    files << path;
    if (!QFileInfo::exists(path)) {
        say(m.message(MsgCliNoSuchFile, path));
        return false;
    }
    return true;
}

bool takeList(const QString &list, const MessageCatalogue &m, QStringList &files, const Say &say)
{
    QStringList entries;
    if (!FileListFile::Read(list, entries)) {
        say(m.message(MsgCliListUnreadable, list));
        return false;
    }
    bool complete = true;
    const QDir folder = QFileInfo(list).absoluteDir();
    for (const QString &entry : std::as_const(entries)) {
        if (!entry.trimmed().isEmpty())
            complete
                &= takeExisting(QDir::cleanPath(folder.absoluteFilePath(entry)), m, files, say);
    }
    return complete;
}

// Names from `find -print0`, `git ls-files -z` and the like: files (not scanned as folders),
// relative ones taken from the current folder. A name that is not UTF-8 cannot be opened.
bool takeNames(const CliOptions &o, QIODevice *standardInput, const MessageCatalogue &m,
               QStringList &files, const Say &say)
{
    QFile file(o.filesFrom);
    QIODevice *source = &file;
    if (o.filesFrom == u"-")
        source = standardInput;
    else if (!file.open(QIODevice::ReadOnly))
        source = nullptr;
    const QByteArray bytes = source ? source->readAll() : QByteArray();
    if (!source || file.error() != QFileDevice::NoError) {
        say(m.message(MsgCliListUnreadable, o.filesFrom));
        return false;
    }
    bool complete = true;
    for (const QByteArray &name : FileListFile::SplitNames(bytes, o.nullSeparated)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(name);
        if (utf8.hasError()) {
            say(m.message(MsgCliBadFileName, text));
            complete = false;
        } else if (!text.isEmpty()) {
            complete &= takeExisting(QFileInfo(text).absoluteFilePath(), m, files, say);
        }
    }
    return complete;
}

// The run's file list: the entries of saved lists (relative ones taken from the list's own
// folder), the names of --files-from and the operands (files, or folders scanned with the
// extension filter), as absolute paths. A path that cannot be taken is reported and the rest
// go on; false then. `listed` is called whenever the files added may be handed on.
bool collectFiles(const CliOptions &o, QIODevice *standardInput, const MessageCatalogue &m,
                  QStringList &files, const Say &say, const std::function<void()> &listed = {},
                  QList<ListedAs> *kinds = nullptr)
{
    bool complete = true;
    for (const QString &list : o.listFiles)
        complete &= takeList(list, m, files, say);
    if (!o.filesFrom.isEmpty())
        complete &= takeNames(o, standardInput, m, files, say);
    for (const QString &operand : o.operands) {
        const QFileInfo info(operand);
        if (!info.isDir()) {
            complete &= takeExisting(info.absoluteFilePath(), m, files, say);
            continue;
        }
        QStringList undecodable;
        QList<FolderScan::Unreadable> unreadable;
        FolderScan::ScanFolder(info.absoluteFilePath(), o.recurse, o.extensions,
                               ExcludeMasks(o.excludes), files, &undecodable, &unreadable, listed,
                               kinds);
        for (const QString &name : std::as_const(undecodable))
            say(m.message(MsgCliBadFileName, name));
        // A folder left out (unreadable, or too deep to reach) is never passed over silently.
        for (const FolderScan::Unreadable &folder : std::as_const(unreadable))
            say(m.message(MsgFolderUnreadable, folder.path, folder.reason));
        complete &= undecodable.isEmpty() && unreadable.isEmpty();
    }
    return complete;
}

QString journalFolderOf(const OptionState &options)
{
    const QString forced = qEnvironmentVariable("QUORVEX_JOURNAL_FOLDER");
    return forced.isEmpty() ? JournalCommands::journalFolder(options.ProgramFolder) : forced;
}

// False when backups were asked for but their folder cannot be made: the program's default
// folder, which the windows fall back to, would be a surprising place for them here.
bool configure(QuorvexCore &core, const CliOptions &o, QString &problem)
{
    core.options.SetProgramFolder(QCoreApplication::applicationDirPath());
    core.options.ConfirmReplace = o.interactive;
    core.options.SearchOptions.MatchCase = o.matchCase;
    core.options.ExtensionList = o.extensions;
    core.options.SkipMasks = o.excludes;
    core.options.FileCodePage = o.codePage;
    core.options.CodePageChosen = o.codePageChosen;
    core.options.KeepJournal = o.journal;
    core.options.JournalFolder = journalFolderOf(core.options);
    core.options.MakeBackups = !o.backupFolder.isEmpty() && !o.dryRun;
    if (!core.options.MakeBackups)
        return true;
    const QString folder = QFileInfo(o.backupFolder).absoluteFilePath();
    if (!QDir().mkpath(folder)) {
        problem = core.messages.message(MsgCliBackupFolder, folder);
        return false;
    }
    core.backup.SetBackupFolder(folder);
    return true;
}

// Written beside the old report and renamed over it: a report that cannot be written whole
// (a full disk) leaves the old one as it was.
bool writeReport(const QString &path, const QStringList &lines, QString &error)
{
    const QByteArray bytes = (lines.join(u'\n') + u'\n').toUtf8();
    return AtomicFileWriter::write(path, bytes, &error);
}

QString totalsJson(const ProcessingDriver::Totals &t, const CliOptions &o)
{
    QJsonObject totals{{u"files_processed"_s, t.filesProcessed},
                       {u"occurrences"_s, t.occurrences},
                       {u"files_failed"_s, t.filesFailed},
                       {u"aborted"_s, t.aborted},
                       {u"dry_run"_s, o.dryRun}};
    if (o.replaceMode) {
        totals.insert(u"replacements"_s, t.replacements);
        totals.insert(u"files_changed"_s, t.filesChanged);
    }
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{u"totals"_s, totals}}).toJson(QJsonDocument::Compact));
}

RunRequest requestFor(const CliOptions &o, const std::shared_ptr<const FileFeed> &files,
                      bool backups)
{
    RunRequest request;
    request.feed = files;
    request.searchPattern = o.search;
    request.replacementPattern = o.replacement;
    request.findWildcards = o.findWildcards;
    request.replaceWildcards = o.replaceWildcards;
    request.regex = o.regex;
    request.replaceMode = o.replaceMode;
    request.dryRun = o.dryRun;
    request.sync = o.sync;
    // Nothing is shown or copied: plain files may go as bytes, which tell JSON's occurrences
    // themselves.
    request.bytePath = !o.interactive && !backups && !o.diff;
    request.reportsOccurrences = o.json;
    request.workers = 2;
    request.unattended = !o.interactive;
    return request;
}

// Runs over `files` and prints the totals; the exit status.
int runFiles(const CliOptions &o, const std::shared_ptr<const FileFeed> &files,
             const MessageSource *source, QTextStream &in, QTextStream &out, QTextStream &err,
             const BatchTool::Environment &environment)
{
    MessageCatalogue messages;
    messages.setSource(source);
    TerminalHost host({o.interactive, o.json, o.progress, o.replaceMode,
                       environment.stderrIsTerminal, environment.stopRequested,
                       environment.readAnswer},
                      messages, in, out, err);
    // With --diff, the diff is the output and the report is not printed.
    const bool colour = o.color == CliOptions::Color::Always
        || (o.color == CliOptions::Color::Auto && environment.stdoutIsTerminal);
    std::optional<DiffHost> diff;
    if (o.diff)
        diff.emplace(host, out, colour);
    QuorvexCore core(diff ? static_cast<RunHost &>(*diff) : host);
    core.messages.setSource(source);
    QString message;
    if (!configure(core, o, message)) {
        host.say(message);
        return Error;
    }
    const RunRequest request = requestFor(o, files, core.options.MakeBackups);
    if (core.driver.ProcessFilesExecute(request) != ProcessingDriver::Outcome::Ran)
        return Error; // the refusal was shown as a message

    const ProcessingDriver::Totals &totals = core.driver.LastTotals();
    if (o.json && !host.outputLost())
        out << totalsJson(totals, o) << QChar(u'\n');
    out.flush();
    QString error;
    if (!o.reportFile.isEmpty() && !writeReport(o.reportFile, core.report.Lines(), error)) {
        host.say(messages.message(MsgCliReportNotWritten, o.reportFile, error));
        return Error;
    }
    // An aborted run (by the user, or for want of a backup copy) did not finish its job.
    if (totals.filesFailed > 0 || totals.aborted || host.outputLost())
        return Error;
    return totals.occurrences > 0 ? Found : NothingFound;
}

} // namespace

QString BatchTool::chooseLanguage(const QStringList &arguments, const QByteArray &locale)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i].startsWith(u"--lang="_s))
            value = arguments[i].mid(7);
        else if (arguments[i] == u"--lang" && i + 1 < arguments.size())
            value = arguments[i + 1];
        if (value == u"ru" || value == u"en")
            return value;
    }
    // The same rule as the windows' language on first start.
    return InterfaceLanguage::languageOfLocale(locale) == InterfaceLanguage::Russian ? u"ru"_s
                                                                                     : u"en"_s;
}

int BatchTool::Run(const QStringList &arguments, QTextStream &in, QTextStream &out,
                   QTextStream &err, bool stderrIsTerminal)
{
    Environment environment;
    environment.locale = InterfaceLanguage::messagesLocale();
    environment.stderrIsTerminal = stderrIsTerminal;
    return BatchTool().run(arguments, in, out, err, environment);
}

int BatchTool::run(const QList<QByteArray> &arguments, QTextStream &in, QTextStream &out,
                   QTextStream &err, const Environment &environment) const
{
    QStringList decoded;
    for (const QByteArray &argument : arguments) {
        const std::optional<QString> text = environment.localeText.decode(argument);
        if (!text) {
            // Shown with the bytes that are not text as \xNN: they have no other name.
            QString shown;
            for (const char c : argument)
                shown += uchar(c) < 0x80 ? QString(QChar::fromLatin1(c))
                                         : u"\\x%1"_s.arg(uchar(c), 2, 16);
            MessageCatalogue messages;
            messages.setSource(m_sources.value(chooseLanguage(decoded, environment.locale)));
            err << u"quorvex-batch: "_s
                << messages.message(MsgCliBadArgument, shown,
                                    QString::fromLatin1(environment.localeText.name()))
                << Qt::endl;
            return Error;
        }
        decoded << *text;
    }
    return run(decoded, in, out, err, environment);
}

int BatchTool::run(const QStringList &arguments, QTextStream &in, QTextStream &out,
                   QTextStream &err, const Environment &environment) const
{
    const MessageSource *source
        = m_sources.value(chooseLanguage(arguments, environment.locale), nullptr);
    MessageCatalogue messages;
    messages.setSource(source);
    const Say say
        = [&err](const QString &text) { err << u"quorvex-batch: "_s << text << Qt::endl; };

    CliOptions o;
    QString message;
    switch (CliParser::Parse(arguments, environment.stderrIsTerminal, environment.localeText,
                             messages, o, message)) {
    case CliParser::Result::ExitOk:
        out << message << Qt::endl;
        return Found;
    case CliParser::Result::Usage:
        err << message << Qt::endl;
        return Error;
    case CliParser::Result::Error:
        say(message);
        return Error;
    case CliParser::Result::Run:
        break;
    }
    if (o.listRuns || o.undo) {
        OptionState options(QCoreApplication::applicationDirPath());
        options.JournalFolder = journalFolderOf(options);
        return o.listRuns ? JournalCommands::listRuns(options, messages, out)
                          : JournalCommands::undo(options, messages, o.undoRun, out);
    }
    // The run starts on the first files while the folders are still scanned, unless it asks
    // questions or shows its progress (which needs the count). What the scan says comes after.
    const bool early = !o.interactive && !o.progress;
    BackgroundList list([&](QStringList &files, QList<ListedAs> &kinds,
                            const std::function<void()> &listed, const Say &note) {
        return collectFiles(o, environment.standardInput, messages, files, note, listed, &kinds);
    });
    if (!early || !list.feed()->has(0)) {
        const bool allPaths = list.finish(say);
        if (!list.feed()->has(0) && !allPaths)
            return Error; // each path was reported; there is nothing left to run
    }
    // JSON and the diff are UTF-8 whatever the terminal's character set.
    QTextStream &stdOut = (o.json || o.diff) && environment.jsonOut ? *environment.jsonOut : out;
    const int status = runFiles(o, list.feed(), source, in, stdOut, err, environment);
    return list.finish(say) ? status : Error;
}
