#pragma once

#include "backup/BackupHost.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// Every modal question, message and file dialog the windows show goes through this, so that
// tests answer them without a modal loop (tests/support/ScriptedPrompter). The program uses
// WidgetPrompter. Captions default to the application's title, "Zelt".
class Prompter {
public:
    virtual ~Prompter() = default;

    // A Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text, const QString &caption,
                          bool questionIcon)
        = 0;
    // A plain message with an OK button.
    virtual void showMessage(QWidget *parent, const QString &text) = 0;
    // An error that ended a command: stop icon, OK button.
    virtual void showError(QWidget *parent, const QString &text) = 0;
    // Abort, Retry and Ignore, with the question icon.
    virtual BackupHost::Answer askAbortRetryIgnore(QWidget *parent, const QString &text) = 0;

    // File dialogs: an empty result when cancelled. `filter` is a Qt name filter list
    // ("Description (*.a *.b);;Other (*.c)"); `filterIndex` is 1-based in and out.
    virtual QStringList openFileNames(QWidget *parent, const QString &folder, const QString &filter)
        = 0;
    virtual QString openFileName(QWidget *parent, const QString &folder, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &folder, const QString &filter,
                                 int &filterIndex)
        = 0;
    // The print dialog on `printer`; false when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
};
