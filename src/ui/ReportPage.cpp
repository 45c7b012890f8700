#include "ui/ReportPage.h"

#include "ui_ReportPage.h"

#include "io/AtomicFileWriter.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "ui/Prompter.h"
#include "ui/ReportFileWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The report stands on silver, as it always has.
const QColor ReportBackground(192, 192, 192);

// Links a button to an action: the click triggers it, and the button follows its enabled
// state.
void bindButton(QAbstractButton *button, QAction *action)
{
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger,
                     Qt::UniqueConnection);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled,
                     Qt::UniqueConnection);
}

} // namespace

ReportPage::ReportPage(const MessageCatalogue &messages, Prompter &prompter, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::TReportTS>())
    , m_messages(messages)
    , m_prompter(prompter)
{
    m_ui->setupUi(this);
    QPalette colours = m_ui->ReportRE->palette();
    colours.setColor(QPalette::Base, ReportBackground);
    // The silver stays on a dark desktop too, so the text must be dark on it whatever the theme.
    colours.setColor(QPalette::Text, Qt::black);
    m_ui->ReportRE->setPalette(colours);
    // Without bound actions the buttons run the commands themselves.
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, [this] {
        if (!m_printAction)
            PrintReportExecute();
    });
    connect(m_ui->SaveReportBB, &QPushButton::clicked, this, [this] {
        if (!m_saveAction)
            SaveReportExecute();
    });
    connect(m_ui->BitBtn3, &QPushButton::clicked, this, &ReportPage::okClicked);
    // A report in sight during a run still fills as the run goes on.
    m_flush.setInterval(FlushIntervalMs);
    m_flush.setSingleShot(true);
    connect(&m_flush, &QTimer::timeout, this, &ReportPage::flush);
}

ReportPage::~ReportPage() = default;

QPlainTextEdit *ReportPage::reportEditor() const
{
    return m_ui->ReportRE;
}

void ReportPage::bindActions(QAction *printReport, QAction *saveReport)
{
    m_printAction = printReport;
    m_saveAction = saveReport;
    if (printReport) {
        bindButton(m_ui->BitBtn1, printReport);
        connect(printReport, &QAction::triggered, this, &ReportPage::PrintReportExecute,
                Qt::UniqueConnection);
    }
    if (saveReport) {
        bindButton(m_ui->SaveReportBB, saveReport);
        connect(saveReport, &QAction::triggered, this, &ReportPage::SaveReportExecute,
                Qt::UniqueConnection);
    }
}

void ReportPage::clear()
{
    m_pending.clear();
    m_flush.stop();
    QPlainTextEdit *report = m_ui->ReportRE;
    report->setReadOnly(false);
    report->clear();
    m_lineCount = 0;
}

void ReportPage::appendLine(const QString &line)
{
    m_pending.append(line);
    if (!m_flush.isActive())
        m_flush.start();
}

// Lines reach the editor in batches: one insertion lays out many lines at once, where a line
// at a time would cost a run over thousands of files more than its search.
void ReportPage::flush()
{
    m_flush.stop();
    if (m_pending.isEmpty())
        return;
    QTextCursor cursor(m_ui->ReportRE->document());
    cursor.movePosition(QTextCursor::End);
    QString text;
    if (m_lineCount > 0)
        text += QChar::ParagraphSeparator;
    text += m_pending.join(QChar::ParagraphSeparator);
    cursor.insertText(text);
    m_lineCount += m_pending.size();
    m_pending.clear();
}

void ReportPage::finish()
{
    flush();
    QPlainTextEdit *report = m_ui->ReportRE;
    report->setReadOnly(true);
    report->moveCursor(QTextCursor::Start);
}

QStringList ReportPage::lines() const
{
    const QTextDocument *document = m_ui->ReportRE->document();
    QStringList lines;
    if (m_lineCount > 0) {
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            lines << block.text().replace(QChar::LineSeparator, u"\r\n"_s);
    }
    return lines + m_pending;
}

// The form keeps the filter as the save dialog always had it ("name|*.ext|...").
QString ReportPage::saveFilter() const
{
    return OptionState::fileDialogFilter(property("saveFilter").toString());
}

void ReportPage::SaveReportExecute()
{
    int index = m_filterIndex;
    QString name = m_prompter.saveFileName(this, m_folder, saveFilter(), index);
    if (name.isEmpty())
        return;
    m_filterIndex = index;
    // The chosen filter decides the format, whatever the name's own extension says.
    const bool rich = index != 1;
    if (!QFileInfo(name).fileName().contains(u'.'))
        name += rich ? u".RTF"_s : u".TXT"_s;
    // The family the screen really uses, at the size asked for.
    const QFont font = m_ui->ReportRE->font();
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    const QByteArray bytes = rich ? ReportFileWriter::toRtf(lines(), QFontInfo(font).family(), size)
                                  : ReportFileWriter::toText(lines());
    m_folder = QFileInfo(name).absolutePath();
    if (!AtomicFileWriter::write(name, bytes))
        m_prompter.showError(
            this, m_messages.message(MsgCannotCreateFileError, QDir::toNativeSeparators(name)));
}

void ReportPage::PrintReportExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_prompter.choosePrinter(this, printer))
        return;
    printer.setDocName(property("printJobTitle").toString());
    if (!print(printer))
        m_prompter.showError(this, m_messages.LoadMessage(MsgPrintFailed));
}

// Lays the report out over the whole printable page, page after page, with nothing added.
bool ReportPage::print(QPrinter &printer) const
{
    std::unique_ptr<QTextDocument> document(m_ui->ReportRE->document()->clone());
    document->setDefaultFont(m_ui->ReportRE->font());
    document->documentLayout()->setPaintDevice(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    document->setDocumentMargin(0);
    document->setPageSize(page.size());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    const int pages = document->pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        painter.save();
        painter.translate(0, -i * page.height());
        context.clip = QRectF(0, i * page.height(), page.width(), page.height());
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

void ReportPage::showEvent(QShowEvent *event)
{
    flush();
    QWidget::showEvent(event);
}

void ReportPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void ReportPage::retranslateUi()
{
    m_ui->retranslateUi(this);
}
