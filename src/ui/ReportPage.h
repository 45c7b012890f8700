#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

class MessageCatalogue;
class Prompter;
class QAction;
class QPrinter;
class QPlainTextEdit;

namespace Ui {
class TReportTS;
}

// The main window's page "Отчет" (ReportTS): the report editor ReportRE and the panel PanelB
// with "&Печать", "&Сохранить" and "&Ok". The main window owns the actions PrintReport and
// SaveReport and binds them here; "&Ok" asks the main window to show "В файлах".
class ReportPage : public QWidget {
    Q_OBJECT
public:
    ReportPage(const MessageCatalogue &messages, Prompter &prompter, QWidget *parent = nullptr);
    ~ReportPage() override;

    QPlainTextEdit *reportEditor() const;
    // The buttons "&Печать" and "&Сохранить" trigger these actions, which run
    // PrintReportExecute and SaveReportExecute, and follow their enabled state.
    void bindActions(QAction *printReport, QAction *saveReport);

    // What a run does to the report: cleared at its start, one line at a time, read-only at
    // its end. Appended lines reach the editor in batches: when the page is shown, a moment
    // after they came, and at the end.
    void clear();
    void appendLine(const QString &line);
    void finish();
    // The report's lines as they stand in ReportRE.
    QStringList lines() const;

    void SaveReportExecute();
    void PrintReportExecute();
    // The save dialog starts on its first filter again: after it was lent to save a file list.
    void resetSaveFilter() { m_filterIndex = 1; }

    void retranslateUi();

signals:
    // "&Ok": show the page "В файлах".
    void okClicked();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    static constexpr int FlushIntervalMs = 250;

    void flush();
    QString saveFilter() const;
    bool print(QPrinter &printer) const;

    std::unique_ptr<Ui::TReportTS> m_ui;
    const MessageCatalogue &m_messages;
    Prompter &m_prompter;
    QAction *m_printAction = nullptr;
    QAction *m_saveAction = nullptr;
    int m_filterIndex = 1;
    qsizetype m_lineCount = 0; // lines in ReportRE
    QStringList m_pending; // lines not in ReportRE yet
    QTimer m_flush;
    QString m_folder;
};
