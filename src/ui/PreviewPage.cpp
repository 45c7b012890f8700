#include "ui/PreviewPage.h"

#include "document/Document.h"
#include "engine/EngineState.h"
#include "lang/MessageId.h"
#include "run/QuorvexCore.h"
#include "ui/PreviewDelegate.h"
#include "ui/PreviewModel.h"
#include "ui/PreviewOccurrenceDialog.h"
#include "ui_PreviewPage.h"

#include <QEvent>
#include <QTabWidget>

#include <algorithm>

namespace {

// Ticking several rows in a row renumbers once, after the last.
constexpr int RenumberDelayMs = 300;
// While the preview runs: rows soon, then a batch no sooner than 5 us for each occurrence
// listed, since every batch lays the whole tree out again (some 40 ns a row).
constexpr int RowsIntervalMs = 100;
constexpr qsizetype RowsPerMs = 200;

} // namespace

PreviewPage::PreviewPage(QuorvexCore &core, RunHost &host, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::TPreviewTS>())
    , m_core(core)
    , m_run(core, host)
    , m_model(new PreviewModel(m_run.list(), this))
    , m_rowsMs(RowsIntervalMs)
{
    m_ui->setupUi(this);
    QTreeView *tree = m_ui->PreviewTV;
    tree->setModel(m_model);
    setFocusProxy(tree);
    tree->setItemDelegate(new PreviewDelegate(tree));
    m_renumber.setSingleShot(true);
    m_renumber.setInterval(RenumberDelayMs);
    connect(&m_renumber, &QTimer::timeout, this, &PreviewPage::renumber);
    m_rows.setSingleShot(true);
    connect(&m_rows, &QTimer::timeout, this, &PreviewPage::showRowsSoFar);
    connect(m_model, &PreviewModel::ticksChanged, this, &PreviewPage::ticksChanged);
    connect(tree, &QTreeView::activated, this, &PreviewPage::openOccurrence);
    connect(m_ui->ApplyB, &QPushButton::clicked, this, &PreviewPage::apply);
    connect(m_ui->ClosePreviewB, &QPushButton::clicked, this, &PreviewPage::closeRequested);
    updateSummary();
}

PreviewPage::~PreviewPage() = default;

QString PreviewPage::title() const
{
    return property("pageTitle").toString();
}

QTreeView *PreviewPage::view() const
{
    return m_ui->PreviewTV;
}

bool PreviewPage::start(const RunRequest &request)
{
    m_run.list().clear();
    m_model->reload();
    m_running = true;
    updateSummary();
    m_rows.start(m_rowsMs);
    const bool ran = m_run.preview(request) == ProcessingDriver::Outcome::Ran;
    m_rows.stop();
    m_running = false;
    showFiles(m_run.list().fileCount());
    QTreeView *tree = m_ui->PreviewTV;
    // Where the user went meanwhile is kept.
    if (!tree->currentIndex().isValid())
        tree->setCurrentIndex(m_model->index(0, 0));
    tree->setFocus();
    return ran;
}

void PreviewPage::showRowsSoFar()
{
    showFiles(m_run.list().fileCount() - 1);
    m_rows.start(int(std::max<qsizetype>(m_rowsMs, m_run.list().size() / RowsPerMs)));
}

void PreviewPage::showFiles(qsizetype count)
{
    QTreeView *tree = m_ui->PreviewTV;
    const int shown = m_model->rowCount();
    m_model->showFiles(count);
    // The tree lays itself out once, later: expanding here only notes the rows.
    for (int file = shown; file < m_model->rowCount(); ++file)
        tree->expand(m_model->index(file, 0));
    updateSummary();
}

void PreviewPage::apply()
{
    if (m_running || m_core.engine.RunInProgress || m_run.list().tickedCount() == 0)
        return;
    m_renumber.stop();
    m_run.apply();
    m_model->reload();
    updateSummary();
    emit applied();
}

void PreviewPage::ticksChanged()
{
    updateSummary();
    if (m_run.numbersFollowTicks())
        m_renumber.start();
}

void PreviewPage::renumber()
{
    // A run under way (the apply, or one of the window's) renumbers after it.
    if (m_core.engine.RunInProgress) {
        m_renumber.start();
        return;
    }
    m_run.renumber();
    m_model->replacementsChanged();
}

void PreviewPage::openOccurrence(const QModelIndex &index)
{
    const qsizetype occurrence = m_model->occurrenceOf(index);
    if (occurrence < 0)
        return;
    const PreviewList::Occurrence &o = m_run.list().at(occurrence);
    const Document *document = m_model->lines().document(o.file);
    if (!document) // the file changed since the preview: its row says so
        return;
    // The dialog shows a copy: rows painted behind it read other files into the one the page
    // keeps.
    const Document shown = *document;
    PreviewOccurrenceDialog dialog(shown, o.start, o.length, m_run.list().file(o.file).path, this);
    dialog.exec();
}

void PreviewPage::updateSummary()
{
    m_model->setChangedNote(m_core.messages.LoadMessage(MsgPreviewFileChanged));
    const PreviewList &list = m_run.list();
    m_ui->PreviewSummaryL->setText(m_core.messages.message(
        MsgPreviewSummary, int(list.size()), int(list.fileCount()), int(list.tickedCount())));
    m_ui->ApplyB->setEnabled(!m_running && m_run.request().replaceMode && list.tickedCount() > 0);
}

void PreviewPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        updateSummary();
        // The page's tab carries its title.
        QWidget *stack = parentWidget();
        if (auto *tabs = qobject_cast<QTabWidget *>(stack ? stack->parentWidget() : nullptr))
            tabs->setTabText(tabs->indexOf(this), title());
    }
    QWidget::changeEvent(event);
}
