#pragma once

#include "ui_HelpWindow.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class MessageCatalogue;
class Prompter;

// The help: the HTML pages of one language's help folder in a browser with a contents list
// and back and forward. Each help context number has its anchor in one of the pages.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The page that opens the help's contents.
    static QString contentsPage();
    // The page and anchor of a help context ("start.html#context-100"); empty when unknown.
    static QString topicOf(int context);
    static QList<int> contexts();

    HelpWindow(const MessageCatalogue &messages, Prompter &prompter, QWidget *parent = nullptr);

    // The folder of the language in use, read in place.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

    // Shows the contents or a context's topic; false, after telling the user which file is
    // missing, when the help file cannot be opened.
    bool showContents();
    bool showContext(int context);
    // Makes the help usable beside `modal` (the dialog that is up, or none): it becomes that
    // dialog's window until the dialog closes.
    void showOver(QWidget *modal);

    QTextBrowser *browser() const { return m_ui.HelpTB; }
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool showTopic(const QString &topic);
    void fillContents();

    Ui::HelpF m_ui;
    const MessageCatalogue &m_messages;
    Prompter &m_prompter;
    QString m_folder;
    QPointer<QWidget> m_home;
};
