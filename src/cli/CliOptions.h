#pragma once

#include "document/SyncPolicy.h"

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
    bool matchCase = false;
    bool recurse = false;
    QStringList extensions; // upper case with the leading dot; ".*" takes every file
    QStringList listFiles; // ".lst" files whose entries join the file list
    QStringList operands; // files and folders
    QString backupFolder; // empty: no backups
    bool dryRun = false;
    bool interactive = false;
    QString reportFile;
    bool progress = false;
    bool json = false;
    SyncPolicy sync = SyncPolicy::Batch; // interactive runs sync each file
    QString language; // "ru" or "en"
};

// Parses the arguments. Every text comes from the catalogue, in the language it speaks.
class CliParser {
public:
    enum class Result {
        Run,
        ExitOk, // help or version: `message` is the text to print
        Error, // `message` names the problem
        Usage, // no arguments at all: `message` is the usage line and where to learn more
    };
    static Result Parse(const QStringList &arguments, bool stderrIsTerminal,
                        const MessageCatalogue &messages, CliOptions &options, QString &message);
    // Pattern text as typed or read from a file: every line break becomes CR LF.
    static QString NormalizeLineBreaks(const QString &text);
    enum class PatternFile { Ok, Unreadable, HasNul };
    // Reads a pattern file (UTF-8, or code page 1251 when not valid UTF-8); one final line
    // break, as editors add, is not part of the pattern. A NUL byte would cut the pattern
    // short without a word: such a file is refused.
    static PatternFile ReadPatternFile(const QString &path, QString &pattern);
    // "htm, .TXT" -> {".HTM", ".TXT"}; "*" -> {".*"} (every file).
    static QStringList ParseExtensions(const QString &list);
};
