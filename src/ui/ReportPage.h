#pragma once

#include <QString>
#include <QWidget>

class MessageCatalogue;
class Prompter;
class QAction;
class QTextEdit;

// The main window's page "Отчет": the report editor ReportRE and the panel PanelB with
// "&Печать", "&Сохранить" and "&Ok". The main window owns the actions PrintReport and
// SaveReport and binds them here; "&Ok" asks the main window to show "В файлах".
class ReportPage : public QWidget {
    Q_OBJECT
public:
    ReportPage(const MessageCatalogue &messages, Prompter &prompter, QWidget *parent = nullptr);
    ~ReportPage() override;

    QTextEdit *reportEditor() const;
    // The buttons "&Печать" and "&Сохранить" trigger these actions.
    void bindActions(QAction *printReport, QAction *saveReport);

    // What a run does to the report: cleared at its start, one line at a time, read-only at
    // its end.
    void clear();
    void appendLine(const QString &line);
    void finish();

    void SaveReportExecute();
    void PrintReportExecute();

    void retranslateUi();

signals:
    // "&Ok": show the page "В файлах".
    void okClicked();

private:
    const MessageCatalogue &m_messages;
    Prompter &m_prompter;
    QTextEdit *m_report = nullptr;
};
