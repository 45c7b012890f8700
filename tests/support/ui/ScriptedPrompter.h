#pragma once

#include "ui/Prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers the windows' questions and file dialogs from scripts, and records what was asked.
class ScriptedPrompter : public Prompter {
public:
    QList<bool> yesNo; // then defaultYesNo
    bool defaultYesNo = false;
    QList<BackupHost::Answer> abortRetryIgnore; // then Abort
    QList<QStringList> openFiles; // answers to openFileNames, then cancel
    QStringList openFile; // answers to openFileName, then cancel
    struct Save {
        QString name; // empty: cancelled
        int filterIndex = 1;
    };
    QList<Save> saveFiles; // then cancel
    bool printerChosen = false;
    std::function<void(QPrinter &)> configurePrinter; // when printerChosen

    // What was shown, in order: "question: ...", "message: ...", "error: ...", "ari: ...",
    // "open", "save <filter index>", "print".
    QStringList shown;
    QList<QWidget *> parents; // the parent of each entry of `shown` (clear both together)
    QStringList filters; // the filter of every file dialog
    // Called with every entry of `shown` as it is recorded, before the answer is given.
    std::function<void(const QString &)> observer;

    bool askYesNo(QWidget *parent, const QString &text, const QString &caption,
                  bool questionIcon) override;
    void showMessage(QWidget *parent, const QString &text) override;
    void showError(QWidget *parent, const QString &text) override;
    BackupHost::Answer askAbortRetryIgnore(QWidget *parent, const QString &text) override;
    QStringList openFileNames(QWidget *parent, const QString &folder,
                              const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &folder, const QString &filter,
                         int &filterIndex) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;

private:
    void record(const QString &entry, QWidget *parent);
};
