#pragma once

#include "document/CodePage.h"
#include "io/SyncPolicy.h"

#include "LocaleText.h"

#include <QString>
#include <QStringList>

class MessageCatalogue;

// What the command line asks for, checked and with pattern files read.
struct CliOptions {
    QString search; // line breaks as CR LF
    QString replacement; // line breaks as CR LF
    bool replaceMode = false; // a replacement was given
    bool findWildcards = false;
    bool replaceWildcards = false;
    bool regex = false; // the search pattern is a regular expression
    bool matchCase = false;
    bool recurse = false;
    QStringList extensions; // upper case with the leading dot; ".*" takes every file
    QStringList listFiles; // ".lst" files whose entries join the file list
    QString filesFrom; // names one a line (or NUL-separated); "-": standard input
    bool nullSeparated = false;
    QStringList operands; // files and folders
    QStringList excludes; // what folder scans leave out (ExcludeMasks), defaults included
    CodePage codePage = CodePage::Cp1251; // files neither UTF-8 nor marked
    bool codePageChosen = false; // --codepage was given
    QString backupFolder; // empty: no backups
    bool dryRun = false;
    bool interactive = false;
    QString reportFile;
    bool progress = false;
    bool json = false;
    bool diff = false; // a unified diff of what the run would write; implies dryRun
    enum class Color { Auto, Always, Never } color = Color::Auto;
    SyncPolicy sync = SyncPolicy::Batch; // interactive runs sync each file
    QString language; // "ru" or "en"
    bool journal = true; // keep a journal of a replace run, for an undo
    // Instead of a run: list the runs in the journal, or undo one (`undoRun`, empty: the last).
    bool listRuns = false;
    bool undo = false;
    QString undoRun;
};

// Parses the arguments, typed in the locale's character set (file names are turned into the
// names Qt opens). Every text comes from the catalogue, in the language it speaks.
class CliParser {
public:
    enum class Result {
        Run,
        ExitOk, // help or version: `message` is the text to print
        Error, // `message` names the problem
        Usage, // no arguments at all: `message` is the usage line and where to learn more
    };
    static Result Parse(const QStringList &arguments, bool stderrIsTerminal,
                        const LocaleText &locale, const MessageCatalogue &messages,
                        CliOptions &options, QString &message);
    // Pattern text as typed or read from a file: every line break becomes CR LF.
    static QString NormalizeLineBreaks(const QString &text);
    enum class PatternFile { Ok, Unreadable, HasNul, NotText };
    // Reads a pattern file: UTF-8; else, under a locale of another character set, that set
    // (bytes that are not text in it are refused); else code page 1251. One final line break,
    // as editors add, is not part of the pattern. A NUL byte would cut the pattern short
    // without a word: such a file is refused.
    static PatternFile ReadPatternFile(const QString &path, const LocaleText &locale,
                                       QString &pattern);
    // "htm, .TXT" -> {".HTM", ".TXT"}; "*" -> {".*"} (every file).
    static QStringList ParseExtensions(const QString &list);
};
