#include "CliOptions.h"

#include "options/OptionState.h"
#include "run/FileListFile.h"
#include "run/FolderScan.h"

#include <QCommandLineParser>
#include <QFile>

namespace {

const QString helpIntro = QStringLiteral(
    "Batch search and replace in text, HTML and RTF files.\n\n"
    "Finds the search pattern in every file given (folders are scanned for files with the\n"
    "enabled extensions) and, when a replacement is given, replaces it. Without -i every\n"
    "occurrence is replaced. Prints the run's report.\n\n"
    "Exit status: 0 something found, 1 nothing found, 2 an error or an aborted run.");

void addOptions(QCommandLineParser &p)
{
    p.setApplicationDescription(helpIntro);
    p.addHelpOption();
    p.addVersionOption();
    p.addPositionalArgument(u"paths"_qs, u"Files and folders to process."_qs, u"[paths...]"_qs);
    p.addOptions({
        {{u"f"_qs, u"find"_qs}, u"The search pattern."_qs, u"text"_qs},
        {u"find-file"_qs, u"Read the search pattern from a file."_qs, u"file"_qs},
        {{u"r"_qs, u"replace"_qs}, u"The replacement (without one: a find run)."_qs, u"text"_qs},
        {u"replace-file"_qs, u"Read the replacement from a file."_qs, u"file"_qs},
        {{u"w"_qs, u"wildcards"_qs}, u"The search pattern uses wildcard tokens."_qs},
        {{u"W"_qs, u"replace-wildcards"_qs}, u"The replacement uses wildcard tokens."_qs},
        {{u"c"_qs, u"case"_qs}, u"Match letter case."_qs},
        {{u"R"_qs, u"recurse"_qs}, u"Scan sub-folders of the folders given."_qs},
        {{u"e"_qs, u"ext"_qs},
         u"Extensions taken from folders, comma-separated (default htm,html,shtml,shtm,rtf,txt)."_qs,
         u"list"_qs},
        {{u"l"_qs, u"list"_qs}, u"Add the files of a saved list (.lst)."_qs, u"file"_qs},
        {{u"b"_qs, u"backup"_qs},
         u"Copy each file below this folder before its first change."_qs,
         u"dir"_qs},
        {{u"n"_qs, u"dry-run"_qs}, u"Count what would be replaced; write nothing."_qs},
        {{u"i"_qs, u"interactive"_qs}, u"Ask for each occurrence."_qs},
        {u"report"_qs, u"Also write the report to a file."_qs, u"file"_qs},
        {u"progress"_qs, u"Show a progress bar on stderr (default when stderr is a terminal)."_qs},
        {u"no-progress"_qs, u"Show no progress bar."_qs},
        {u"json"_qs, u"Print one JSON object per occurrence and one with the totals."_qs},
    });
}

bool takePattern(const QCommandLineParser &p, const QString &textOption, const QString &fileOption,
                 QString &pattern, bool &given, QString &message)
{
    if (p.isSet(textOption) && p.isSet(fileOption)) {
        message = u"--%1 and --%2 exclude each other"_qs.arg(textOption, fileOption);
        return false;
    }
    given = p.isSet(textOption) || p.isSet(fileOption);
    if (p.isSet(fileOption) && !CliParser::ReadPatternFile(p.value(fileOption), pattern)) {
        message = u"cannot read the pattern file %1"_qs.arg(p.value(fileOption));
        return false;
    }
    if (p.isSet(textOption))
        pattern = CliParser::NormalizeLineBreaks(p.value(textOption));
    return true;
}

} // namespace

CliParser::Result CliParser::Parse(const QStringList &arguments, bool stderrIsTerminal,
                                   CliOptions &o, QString &message)
{
    QCommandLineParser p;
    addOptions(p);
    if (!p.parse(arguments)) {
        message = p.errorText();
        return Result::Error;
    }
    if (p.isSet(u"help"_qs)) {
        message = p.helpText();
        return Result::ExitOk;
    }
    if (p.isSet(u"version"_qs)) {
        message = u"quorvex-batch " QUORVEX_VERSION ""_qs;
        return Result::ExitOk;
    }
    bool searchGiven = false;
    if (!takePattern(p, u"find"_qs, u"find-file"_qs, o.search, searchGiven, message)
        || !takePattern(p, u"replace"_qs, u"replace-file"_qs, o.replacement, o.replaceMode,
                        message))
        return Result::Error;
    if (!searchGiven) {
        message = u"no search pattern: give -f TEXT or --find-file FILE"_qs;
        return Result::Error;
    }
    o.findWildcards = p.isSet(u"wildcards"_qs);
    o.replaceWildcards = p.isSet(u"replace-wildcards"_qs);
    o.matchCase = p.isSet(u"case"_qs);
    o.recurse = p.isSet(u"recurse"_qs);
    o.extensions = p.isSet(u"ext"_qs) ? ParseExtensions(p.value(u"ext"_qs))
                                      : OptionState::DefaultExtensionList();
    o.listFiles = p.values(u"list"_qs);
    o.operands = p.positionalArguments();
    o.backupFolder = p.value(u"backup"_qs);
    o.dryRun = p.isSet(u"dry-run"_qs);
    o.interactive = p.isSet(u"interactive"_qs);
    o.reportFile = p.value(u"report"_qs);
    o.json = p.isSet(u"json"_qs);
    o.progress = p.isSet(u"progress"_qs) || (stderrIsTerminal && !p.isSet(u"no-progress"_qs));
    if (o.operands.isEmpty() && o.listFiles.isEmpty()) {
        message = u"no files: name files, folders or a list (-l FILE.lst)"_qs;
        return Result::Error;
    }
    if (o.interactive && o.json) {
        message = u"-i and --json exclude each other"_qs;
        return Result::Error;
    }
    return Result::Run;
}

QString CliParser::NormalizeLineBreaks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

bool CliParser::ReadPatternFile(const QString &path, QString &pattern)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringList lines = FileListFile::Parse(file.readAll());
    pattern = lines.join(u"\r\n");
    return true;
}

QStringList CliParser::ParseExtensions(const QString &list)
{
    QStringList extensions;
    for (QString ext : list.split(u',', Qt::SkipEmptyParts)) {
        ext = ext.trimmed();
        if (!ext.startsWith(u'.'))
            ext.prepend(u'.');
        extensions << FolderScan::UpperAscii(ext);
    }
    return extensions;
}
