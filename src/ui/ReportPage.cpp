#include "ui/ReportPage.h"

#include <QTextEdit>
#include <QVBoxLayout>

// Placeholder until the report page is built: the report is shown, not yet saved or printed.
ReportPage::ReportPage(const MessageCatalogue &messages, Prompter &prompter, QWidget *parent)
    : QWidget(parent), m_messages(messages), m_prompter(prompter), m_report(new QTextEdit(this))
{
    m_report->setObjectName(QStringLiteral("ReportRE"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_report);
}

ReportPage::~ReportPage() = default;

QTextEdit *ReportPage::reportEditor() const
{
    return m_report;
}

void ReportPage::bindActions(QAction *, QAction *) { }

void ReportPage::clear()
{
    m_report->setReadOnly(false);
    m_report->clear();
}

void ReportPage::appendLine(const QString &line)
{
    m_report->append(line);
}

void ReportPage::finish()
{
    m_report->setReadOnly(true);
}

void ReportPage::SaveReportExecute() { }
void ReportPage::PrintReportExecute() { }
void ReportPage::retranslateUi() { }
