#include "BatchTool.h"

#include "CliOptions.h"
#include "TerminalHost.h"

#include "run/FileListFile.h"
#include "run/FolderScan.h"
#include "run/QuorvexCore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus { Found = 0, NothingFound = 1, Error = 2 };

// The run's file list: operands (files, or folders scanned with the extension filter) and
// the entries of saved lists, as absolute paths.
bool collectFiles(const CliOptions &o, QStringList &files, QString &problem)
{
    for (const QString &list : o.listFiles) {
        QStringList entries;
        if (!FileListFile::Read(list, entries)) {
            problem = u"cannot read the file list %1"_s.arg(list);
            return false;
        }
        for (const QString &entry : entries)
            files << QFileInfo(entry).absoluteFilePath();
    }
    for (const QString &operand : o.operands) {
        const QFileInfo info(operand);
        if (info.isDir())
            FolderScan::ScanFolder(info.absoluteFilePath(), o.recurse, o.extensions, files);
        else if (info.exists())
            files << info.absoluteFilePath();
        else {
            problem = u"no such file or folder: %1"_s.arg(operand);
            return false;
        }
    }
    return true;
}

// False when backups were asked for but their folder cannot be made: the program's default
// folder, which the windows fall back to, would be a surprising place for them here.
bool configure(QuorvexCore &core, const CliOptions &o, QString &problem)
{
    core.options.SetProgramFolder(QCoreApplication::applicationDirPath());
    core.options.ConfirmReplace = o.interactive;
    core.options.SearchOptions.MatchCase = o.matchCase;
    core.options.ExtensionList = o.extensions;
    core.options.MakeBackups = !o.backupFolder.isEmpty() && !o.dryRun;
    if (!core.options.MakeBackups)
        return true;
    const QString folder = QFileInfo(o.backupFolder).absoluteFilePath();
    if (!QDir().mkpath(folder)) {
        problem = u"cannot create the backup folder %1"_s.arg(folder);
        return false;
    }
    core.backup.SetBackupFolder(folder);
    return true;
}

bool writeReport(const QString &path, const QStringList &lines)
{
    QSaveFile file(path);
    const QByteArray bytes = (lines.join(u'\n') + u'\n').toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void printTotals(QTextStream &out, const ProcessingDriver::Totals &t, bool replaceMode)
{
    QJsonObject totals{{u"files_processed"_s, t.filesProcessed},
                       {u"occurrences"_s, t.occurrences},
                       {u"files_failed"_s, t.filesFailed},
                       {u"aborted"_s, t.aborted}};
    if (replaceMode) {
        totals.insert(u"replacements"_s, t.replacements);
        totals.insert(u"files_changed"_s, t.filesChanged);
    }
    out << QString::fromUtf8(
        QJsonDocument(QJsonObject{{u"totals"_s, totals}}).toJson(QJsonDocument::Compact))
        << QChar(u'\n');
}

} // namespace

int BatchTool::Run(const QStringList &arguments, QTextStream &in, QTextStream &out,
                   QTextStream &err, bool stderrIsTerminal)
{
    CliOptions o;
    QString message;
    switch (CliParser::Parse(arguments, stderrIsTerminal, o, message)) {
    case CliParser::Result::ExitOk:
        out << message << Qt::endl;
        return Found;
    case CliParser::Result::Error:
        err << u"quorvex-batch: "_s << message << Qt::endl;
        return Error;
    case CliParser::Result::Run:
        break;
    }
    QStringList files;
    if (!collectFiles(o, files, message)) {
        err << u"quorvex-batch: "_s << message << Qt::endl;
        return Error;
    }

    TerminalHost host({o.interactive, o.json, o.progress, o.replaceMode, stderrIsTerminal}, in, out,
                      err);
    QuorvexCore core(host);
    if (!configure(core, o, message)) {
        err << u"quorvex-batch: "_s << message << Qt::endl;
        return Error;
    }

    RunRequest request;
    request.files = files;
    request.searchPattern = o.search;
    request.replacementPattern = o.replacement;
    request.findWildcards = o.findWildcards;
    request.replaceWildcards = o.replaceWildcards;
    request.replaceMode = o.replaceMode;
    request.dryRun = o.dryRun;
    if (core.driver.ProcessFilesExecute(request) != ProcessingDriver::Outcome::Ran)
        return Error; // the refusal was shown as a message

    const ProcessingDriver::Totals &totals = core.driver.LastTotals();
    if (o.json)
        printTotals(out, totals, o.replaceMode);
    out.flush();
    if (!o.reportFile.isEmpty() && !writeReport(o.reportFile, core.report.Lines())) {
        err << u"quorvex-batch: cannot write the report to "_s << o.reportFile << Qt::endl;
        return Error;
    }
    if (o.dryRun && o.replaceMode && !o.json)
        err << u"dry run: no file was written"_s << Qt::endl;
    // An aborted run (by the user, or for want of a backup copy) did not finish its job.
    if (totals.filesFailed > 0 || totals.aborted)
        return Error;
    return totals.occurrences > 0 ? Found : NothingFound;
}
