#pragma once

#include "ui/Prompter.h"

// The real thing: message boxes, file dialogs and the print dialog.
class WidgetPrompter : public Prompter {
public:
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
};
