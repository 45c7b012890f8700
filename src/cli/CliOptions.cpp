#include "CliOptions.h"

#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/ExcludeMasks.h"
#include "run/FolderScan.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

void addOptions(QCommandLineParser &p, const MessageCatalogue &m)
{
    auto text = [&m](int id) { return m.LoadMessage(id); };
    p.setApplicationDescription(text(MsgCliDescription));
    p.addPositionalArgument(u"paths"_s, text(MsgOptPaths), u"[paths...]"_s);
    p.addOptions({
        {{u"f"_s, u"find"_s}, text(MsgOptFind), u"text"_s},
        {u"find-file"_s, text(MsgOptFindFile), u"file"_s},
        {{u"r"_s, u"replace"_s}, text(MsgOptReplace), u"text"_s},
        {u"replace-file"_s, text(MsgOptReplaceFile), u"file"_s},
        {{u"w"_s, u"wildcards"_s}, text(MsgOptWildcards)},
        {{u"W"_s, u"replace-wildcards"_s}, text(MsgOptReplaceWildcards)},
        {{u"x"_s, u"regex"_s}, text(MsgOptRegex)},
        {{u"c"_s, u"case"_s}, text(MsgOptCase)},
        {{u"R"_s, u"recurse"_s}, text(MsgOptRecurse)},
        {{u"e"_s, u"ext"_s}, text(MsgOptExt), u"list"_s},
        {u"exclude"_s, text(MsgOptExclude), u"glob"_s},
        {u"no-default-excludes"_s, text(MsgOptNoDefaultExcludes)},
        {u"codepage"_s, text(MsgOptCodePage), u"cp1251|cp866|koi8-r|iso-8859-5"_s},
        {{u"l"_s, u"list"_s}, text(MsgOptList), u"file"_s},
        {u"files-from"_s, text(MsgOptFilesFrom), u"file"_s},
        {{u"0"_s, u"null"_s}, text(MsgOptNull)},
        {{u"b"_s, u"backup"_s}, text(MsgOptBackup), u"dir"_s},
        {{u"n"_s, u"dry-run"_s}, text(MsgOptDryRun)},
        {{u"i"_s, u"interactive"_s}, text(MsgOptInteractive)},
        {u"report"_s, text(MsgOptReport), u"file"_s},
        {u"progress"_s, text(MsgOptProgress)},
        {u"no-progress"_s, text(MsgOptNoProgress)},
        {u"json"_s, text(MsgOptJson)},
        {u"diff"_s, text(MsgOptDiff)},
        {u"color"_s, text(MsgOptColor), u"auto|always|never"_s},
        {u"sync"_s, text(MsgOptSync), u"file|batch|none"_s},
        {u"lang"_s, text(MsgOptLang), u"ru|en"_s},
        {u"no-journal"_s, text(MsgOptNoJournal)},
        {u"undo"_s, text(MsgOptUndo)},
        {u"runs"_s, text(MsgOptRuns)},
        {{u"h"_s, u"help"_s}, text(MsgOptHelp)},
        {{u"v"_s, u"version"_s}, text(MsgOptVersion)},
    });
}

// Qt's help names the program by the path it was started with; the tool's name reads better,
// and the examples close it.
QString helpText(const QCommandLineParser &p, const MessageCatalogue &m)
{
    QString help = p.helpText();
    const qsizetype lineEnd = help.indexOf(u'\n');
    const QString usage = m.LoadMessage(MsgCliUsage);
    help.replace(0, lineEnd, usage);
    return help + u'\n' + m.LoadMessage(MsgCliExamples);
}

QString parseError(const QCommandLineParser &p, const QStringList &arguments,
                   const MessageCatalogue &m)
{
    if (!p.unknownOptionNames().isEmpty()) {
        const QString name = p.unknownOptionNames().constFirst();
        return m.message(MsgCliUnknownOption, (name.size() == 1 ? u"-"_s : u"--"_s) + name);
    }
    // The only other complaint: an option that takes a value was given none.
    for (const QString &argument : arguments) {
        if (argument.startsWith(u'-') && argument == arguments.constLast())
            return m.message(MsgCliMissingValue, argument);
    }
    return p.errorText();
}

// Each name given turned into the name Qt opens; false (with the message) for one that cannot.
bool takeFileNames(const LocaleText &locale, const MessageCatalogue &m,
                   std::initializer_list<QString *> names, QStringList &operands, QString &message)
{
    auto take = [&](QString &name) {
        const std::optional<QString> opened = locale.fileName(name);
        if (!opened) {
            message = m.message(MsgCliBadFileName, name);
            return false;
        }
        name = *opened;
        return true;
    };
    for (QString *name : names) {
        if (!take(*name))
            return false;
    }
    for (QString &operand : operands) {
        if (!take(operand))
            return false;
    }
    return true;
}

bool takePattern(const QCommandLineParser &p, const QString &textOption, const QString &fileOption,
                 const LocaleText &locale, const MessageCatalogue &m, QString &pattern, bool &given,
                 QString &message)
{
    if (p.isSet(textOption) && p.isSet(fileOption)) {
        message = m.message(MsgCliExclusive, u"--"_s + textOption, u"--"_s + fileOption);
        return false;
    }
    given = p.isSet(textOption) || p.isSet(fileOption);
    if (p.isSet(fileOption)) {
        QString file = p.value(fileOption);
        QStringList none;
        if (!takeFileNames(locale, m, {&file}, none, message))
            return false;
        switch (CliParser::ReadPatternFile(file, locale, pattern)) {
        case CliParser::PatternFile::Ok:
            break;
        case CliParser::PatternFile::Unreadable:
            message = m.message(MsgCliPatternUnreadable, file);
            return false;
        case CliParser::PatternFile::HasNul:
            message = m.message(MsgCliPatternHasNul, file);
            return false;
        case CliParser::PatternFile::NotText:
            message = m.message(MsgCliPatternNotText, file, QString::fromLatin1(locale.name()));
            return false;
        }
    }
    if (p.isSet(textOption))
        pattern = CliParser::NormalizeLineBreaks(p.value(textOption));
    return true;
}

bool takeSync(const QCommandLineParser &p, const MessageCatalogue &m, CliOptions &o,
              QString &message)
{
    o.sync = o.interactive ? SyncPolicy::File : SyncPolicy::Batch;
    if (!p.isSet(u"sync"_s))
        return true;
    const QString value = p.value(u"sync"_s);
    if (value == u"file")
        o.sync = SyncPolicy::File;
    else if (value == u"batch")
        o.sync = SyncPolicy::Batch;
    else if (value == u"none")
        o.sync = SyncPolicy::None;
    else {
        message = m.message(MsgCliBadValue, value, u"--sync"_s);
        return false;
    }
    return true;
}

bool takeDiff(const QCommandLineParser &p, const MessageCatalogue &m, CliOptions &o,
              QString &message)
{
    o.diff = p.isSet(u"diff"_s);
    o.dryRun = o.dryRun || o.diff;
    const QString value = p.value(u"color"_s);
    if (!p.isSet(u"color"_s) || value == u"auto")
        o.color = CliOptions::Color::Auto;
    else if (value == u"always")
        o.color = CliOptions::Color::Always;
    else if (value == u"never")
        o.color = CliOptions::Color::Never;
    else {
        message = m.message(MsgCliBadValue, value, u"--color"_s);
        return false;
    }
    return true;
}

// What folder scans leave out, and the code page of files that are neither UTF-8 nor marked.
bool takeScanAndCodePage(const QCommandLineParser &p, const MessageCatalogue &m, CliOptions &o,
                         QString &message)
{
    o.excludes = p.isSet(u"no-default-excludes"_s) ? QStringList() : ExcludeMasks::defaults();
    for (const QString &value : p.values(u"exclude"_s))
        o.excludes << ExcludeMasks::split(value);
    o.codePageChosen = p.isSet(u"codepage"_s);
    if (!o.codePageChosen)
        return true;
    const std::optional<CodePage> page = CodePages::fromName(p.value(u"codepage"_s));
    if (!page) {
        message = m.message(MsgCliBadValue, p.value(u"codepage"_s), u"--codepage"_s);
        return false;
    }
    o.codePage = *page;
    return true;
}

bool checkCombinations(const CliOptions &o, const MessageCatalogue &m, QString &message)
{
    // Both are the output.
    if (o.diff && o.json) {
        message = m.message(MsgCliExclusive, u"--diff"_s, u"--json"_s);
        return false;
    }
    if (o.interactive && o.json) {
        message = m.message(MsgCliExclusive, u"-i"_s, u"--json"_s);
        return false;
    }
    // The answers are read from standard input.
    if (o.interactive && o.filesFrom == u"-") {
        message = m.message(MsgCliExclusive, u"-i"_s, u"--files-from -"_s);
        return false;
    }
    if (o.regex && o.findWildcards) {
        message = m.message(MsgCliExclusive, u"-x"_s, u"-w"_s);
        return false;
    }
    if (o.nullSeparated && o.filesFrom.isEmpty()) {
        message = m.LoadMessage(MsgCliNullWithoutList);
        return false;
    }
    return true;
}

// --runs, or --undo with at most one run named.
CliParser::Result takeJournalCommand(const QCommandLineParser &p, const MessageCatalogue &m,
                                     CliOptions &o, QString &message)
{
    o.listRuns = p.isSet(u"runs"_s);
    o.undo = p.isSet(u"undo"_s);
    const QStringList operands = p.positionalArguments();
    if (o.listRuns && o.undo) {
        message = m.message(MsgCliExclusive, u"--runs"_s, u"--undo"_s);
        return CliParser::Result::Error;
    }
    if (operands.size() > (o.undo ? 1 : 0)) {
        message
            = m.message(MsgCliBadValue, operands.constLast(), o.undo ? u"--undo"_s : u"--runs"_s);
        return CliParser::Result::Error;
    }
    o.undoRun = operands.value(0);
    return CliParser::Result::Run;
}

} // namespace

CliParser::Result CliParser::Parse(const QStringList &arguments, bool stderrIsTerminal,
                                   const LocaleText &locale, const MessageCatalogue &m,
                                   CliOptions &o, QString &message)
{
    if (arguments.size() <= 1) {
        message = m.LoadMessage(MsgCliUsage) + u'\n' + m.LoadMessage(MsgCliTryHelp);
        return Result::Usage;
    }
    QCommandLineParser p;
    addOptions(p, m);
    if (!p.parse(arguments)) {
        message = parseError(p, arguments, m);
        return Result::Error;
    }
    if (p.isSet(u"help"_s)) {
        message = helpText(p, m);
        return Result::ExitOk;
    }
    if (p.isSet(u"version"_s)) {
        message = u"quorvex-batch " QUORVEX_VERSION ""_s;
        return Result::ExitOk;
    }
    if (p.isSet(u"runs"_s) || p.isSet(u"undo"_s))
        return takeJournalCommand(p, m, o, message);
    o.journal = !p.isSet(u"no-journal"_s);
    bool searchGiven = false;
    if (!takePattern(p, u"find"_s, u"find-file"_s, locale, m, o.search, searchGiven, message)
        || !takePattern(p, u"replace"_s, u"replace-file"_s, locale, m, o.replacement, o.replaceMode,
                        message))
        return Result::Error;
    if (!searchGiven) {
        message = m.LoadMessage(MsgCliNoPattern);
        return Result::Error;
    }
    o.findWildcards = p.isSet(u"wildcards"_s);
    o.replaceWildcards = p.isSet(u"replace-wildcards"_s);
    o.regex = p.isSet(u"regex"_s);
    o.matchCase = p.isSet(u"case"_s);
    o.recurse = p.isSet(u"recurse"_s);
    o.extensions = p.isSet(u"ext"_s) ? ParseExtensions(p.value(u"ext"_s))
                                     : OptionState::DefaultExtensionList();
    o.listFiles = p.values(u"list"_s);
    o.filesFrom = p.value(u"files-from"_s);
    o.nullSeparated = p.isSet(u"null"_s);
    o.operands = p.positionalArguments();
    o.backupFolder = p.value(u"backup"_s);
    o.dryRun = p.isSet(u"dry-run"_s);
    o.interactive = p.isSet(u"interactive"_s);
    o.reportFile = p.value(u"report"_s);
    o.json = p.isSet(u"json"_s);
    o.progress = p.isSet(u"progress"_s) || (stderrIsTerminal && !p.isSet(u"no-progress"_s));
    if (!takeSync(p, m, o, message) || !takeScanAndCodePage(p, m, o, message)
        || !takeDiff(p, m, o, message))
        return Result::Error;
    if (p.isSet(u"lang"_s) && p.value(u"lang"_s) != u"ru" && p.value(u"lang"_s) != u"en") {
        message = m.message(MsgCliBadValue, p.value(u"lang"_s), u"--lang"_s);
        return Result::Error;
    }
    if (o.operands.isEmpty() && o.listFiles.isEmpty() && !p.isSet(u"files-from"_s)) {
        message = m.LoadMessage(MsgCliNoFiles);
        return Result::Error;
    }
    return checkCombinations(o, m, message)
            && takeFileNames(locale, m, {&o.backupFolder, &o.reportFile, &o.filesFrom}, o.operands,
                             message)
            && takeFileNames(locale, m, {}, o.listFiles, message)
        ? Result::Run
        : Result::Error;
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

CliParser::PatternFile CliParser::ReadPatternFile(const QString &path, const LocaleText &locale,
                                                  QString &pattern)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PatternFile::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return PatternFile::Unreadable;
    if (bytes.contains('\0'))
        return PatternFile::HasNul;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError() && !locale.isUtf8()) {
        const std::optional<QString> decoded = locale.decode(bytes);
        if (!decoded)
            return PatternFile::NotText;
        text = *decoded;
    } else if (utf8.hasError()) {
        text = QStringDecoder("windows-1251")(bytes);
    }
    if (text.endsWith(u"\r\n"_s))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    pattern = NormalizeLineBreaks(text);
    return PatternFile::Ok;
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
