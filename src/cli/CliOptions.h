#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for, checked and with pattern files read.
struct CliOptions {
    QString search; // line breaks as CR LF
    QString replacement; // line breaks as CR LF
    bool replaceMode = false; // a replacement was given
    bool findWildcards = false;
    bool replaceWildcards = false;
    bool matchCase = false;
    bool recurse = false;
    QStringList extensions; // upper case with the leading dot
    QStringList listFiles; // ".lst" files whose entries join the file list
    QStringList operands; // files and folders
    QString backupFolder; // empty: no backups
    bool dryRun = false;
    bool interactive = false;
    QString reportFile;
    bool progress = false;
    bool json = false;
};

// Parses the arguments. Returns false with a one-line message naming the problem; help and
// version requests are answered through `exitNow` with their text in `message`.
class CliParser {
public:
    enum class Result { Run, ExitOk, Error };
    static Result Parse(const QStringList &arguments, bool stderrIsTerminal, CliOptions &options,
                        QString &message);
    // Pattern text as typed or read from a file: every line break becomes CR LF.
    static QString NormalizeLineBreaks(const QString &text);
    // Reads a pattern file (UTF-8, or code page 1251 when not valid UTF-8); one final line
    // break, as editors add, is not part of the pattern.
    static bool ReadPatternFile(const QString &path, QString &pattern);
    static QStringList ParseExtensions(const QString &list);
};
