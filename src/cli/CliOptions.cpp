#include "CliOptions.h"

#include "options/OptionState.h"
#include "run/FileListFile.h"
#include "run/FolderScan.h"

#include <QCommandLineParser>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

const QString helpIntro
    = u"Batch search and replace in text, HTML and RTF files.\n\n"
      "Finds the search pattern in every file given (folders are scanned for files with the\n"
      "enabled extensions) and, when a replacement is given, replaces it. Without -i every\n"
      "occurrence is replaced. Prints the run's report.\n\n"
      "Exit status: 0 something found, 1 nothing found, 2 an error or an aborted run."_s;

void addOptions(QCommandLineParser &p)
{
    p.setApplicationDescription(helpIntro);
    p.addHelpOption();
    p.addVersionOption();
    p.addPositionalArgument(u"paths"_s, u"Files and folders to process."_s, u"[paths...]"_s);
    p.addOptions({
        {{u"f"_s, u"find"_s}, u"The search pattern."_s, u"text"_s},
        {u"find-file"_s, u"Read the search pattern from a file."_s, u"file"_s},
        {{u"r"_s, u"replace"_s}, u"The replacement (without one: a find run)."_s, u"text"_s},
        {u"replace-file"_s, u"Read the replacement from a file."_s, u"file"_s},
        {{u"w"_s, u"wildcards"_s}, u"The search pattern uses wildcard tokens."_s},
        {{u"W"_s, u"replace-wildcards"_s}, u"The replacement uses wildcard tokens."_s},
        {{u"c"_s, u"case"_s}, u"Match letter case."_s},
        {{u"R"_s, u"recurse"_s}, u"Scan sub-folders of the folders given."_s},
        {{u"e"_s, u"ext"_s},
         u"Extensions taken from folders, comma-separated (default htm,html,shtml,shtm,rtf,txt)."_s,
         u"list"_s},
        {{u"l"_s, u"list"_s}, u"Add the files of a saved list (.lst)."_s, u"file"_s},
        {{u"b"_s, u"backup"_s},
         u"Copy each file below this folder before its first change."_s,
         u"dir"_s},
        {{u"n"_s, u"dry-run"_s}, u"Count what would be replaced; write nothing."_s},
        {{u"i"_s, u"interactive"_s}, u"Ask for each occurrence."_s},
        {u"report"_s, u"Also write the report to a file."_s, u"file"_s},
        {u"progress"_s, u"Show a progress bar on stderr (default when stderr is a terminal)."_s},
        {u"no-progress"_s, u"Show no progress bar."_s},
        {u"json"_s, u"Print one JSON object per occurrence and one with the totals."_s},
    });
}

bool takePattern(const QCommandLineParser &p, const QString &textOption, const QString &fileOption,
                 QString &pattern, bool &given, QString &message)
{
    if (p.isSet(textOption) && p.isSet(fileOption)) {
        message = u"--%1 and --%2 exclude each other"_s.arg(textOption, fileOption);
        return false;
    }
    given = p.isSet(textOption) || p.isSet(fileOption);
    if (p.isSet(fileOption) && !CliParser::ReadPatternFile(p.value(fileOption), pattern)) {
        message = u"cannot read the pattern file %1"_s.arg(p.value(fileOption));
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
    if (p.isSet(u"help"_s)) {
        message = p.helpText();
        return Result::ExitOk;
    }
    if (p.isSet(u"version"_s)) {
        message = u"quorvex-batch " QUORVEX_VERSION ""_s;
        return Result::ExitOk;
    }
    bool searchGiven = false;
    if (!takePattern(p, u"find"_s, u"find-file"_s, o.search, searchGiven, message)
        || !takePattern(p, u"replace"_s, u"replace-file"_s, o.replacement, o.replaceMode, message))
        return Result::Error;
    if (!searchGiven) {
        message = u"no search pattern: give -f TEXT or --find-file FILE"_s;
        return Result::Error;
    }
    o.findWildcards = p.isSet(u"wildcards"_s);
    o.replaceWildcards = p.isSet(u"replace-wildcards"_s);
    o.matchCase = p.isSet(u"case"_s);
    o.recurse = p.isSet(u"recurse"_s);
    o.extensions = p.isSet(u"ext"_s) ? ParseExtensions(p.value(u"ext"_s))
                                     : OptionState::DefaultExtensionList();
    o.listFiles = p.values(u"list"_s);
    o.operands = p.positionalArguments();
    o.backupFolder = p.value(u"backup"_s);
    o.dryRun = p.isSet(u"dry-run"_s);
    o.interactive = p.isSet(u"interactive"_s);
    o.reportFile = p.value(u"report"_s);
    o.json = p.isSet(u"json"_s);
    o.progress = p.isSet(u"progress"_s) || (stderrIsTerminal && !p.isSet(u"no-progress"_s));
    if (o.operands.isEmpty() && o.listFiles.isEmpty()) {
        message = u"no files: name files, folders or a list (-l FILE.lst)"_s;
        return Result::Error;
    }
    if (o.interactive && o.json) {
        message = u"-i and --json exclude each other"_s;
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
