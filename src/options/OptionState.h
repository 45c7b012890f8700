#pragma once

#include "document/CodePage.h"
#include "engine/SearchOptions.h"

#include <QString>
#include <QStringList>

// The option values the rest of the program reads. One instance lives for the whole run of the
// program; the options dialog and the settings code write it. Paths use "/" and folder paths
// end in "/"; convert with QDir::toNativeSeparators only for display.
class OptionState {
public:
    OptionState() = default;
    explicit OptionState(const QString &programFolder) { SetProgramFolder(programFolder); }

    // Fixes ProgramFolder and the paths derived from it. A relative or empty folder is taken
    // from the current one.
    void SetProgramFolder(const QString &folder);

    // The folder of the settings file, ending in "/": the base of a relative backup folder and
    // the home of the default one. ProgramFolder while no settings file is set.
    QString SettingsFolder() const;

    // The six extensions in their fixed order, upper case with the leading dot.
    static QStringList DefaultExtensionList();
    // A filter as the program keeps it (OpenFilter, "description|*.A;*.B;", or several
    // entries, "text|*.txt|RTF|*.rtf") as a filter of Qt's file dialogs ("description (*.A
    // *.B)", entries joined by ";;"). The dialogs compare extensions without regard to case.
    static QString fileDialogFilter(const QString &pipeFilter);

    bool ConfirmReplace = true;
    // Del deletes the occurrence in the review window.
    bool DynamicEdit = true;
    bool MakeBackups = false;
    QString BackupFolder;
    ::SearchOptions SearchOptions;
    QStringList ExtensionList;
    QString OpenFilter;
    // What folder scans leave out (ExcludeMasks): names such as ".git" or "*.min.js".
    QStringList SkipMasks{QStringLiteral(".git"), QStringLiteral(".svn"), QStringLiteral(".hg")};
    // How files that are neither UTF-8 nor marked are read and written.
    CodePage FileCodePage = CodePage::Cp1251;
    // The code page was named for this run (the command line's --codepage): files that look
    // like another one are changed all the same.
    bool CodePageChosen = false;
    // The journal of replace runs, for an undo: kept or not, its folder of runs (empty: none),
    // and how many runs and bytes of originals it keeps at most.
    bool KeepJournal = true;
    QString JournalFolder;
    int JournalRuns = 20;
    qint64 JournalBytes = qint64(2) << 30;

    QString ProgramFolder;
    QString SettingsFilePath;
    QString RussianHelpFolder;
    QString EnglishHelpFolder;
};
