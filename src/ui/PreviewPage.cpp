#include "ui/PreviewPage.h"

#include "engine/EngineState.h"
#include "lang/MessageId.h"
#include "run/QuorvexCore.h"
#include "ui/PreviewDelegate.h"
#include "ui/PreviewModel.h"
#include "ui/PreviewOccurrenceDialog.h"
#include "ui_PreviewPage.h"

#include <QEvent>
#include <QTabWidget>

namespace {

// Ticking several rows in a row renumbers once, after the last.
constexpr int RenumberDelayMs = 300;

} // namespace

PreviewPage::PreviewPage(QuorvexCore &core, RunHost &host, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::TPreviewTS>())
    , m_core(core)
    , m_run(core, host)
    , m_model(new PreviewModel(m_run.list(), this))
{
    m_ui->setupUi(this);
    QTreeView *tree = m_ui->PreviewTV;
    tree->setModel(m_model);
    setFocusProxy(tree);
    tree->setItemDelegate(new PreviewDelegate(tree));
    m_renumber.setSingleShot(true);
    m_renumber.setInterval(RenumberDelayMs);
    connect(&m_renumber, &QTimer::timeout, this, &PreviewPage::renumber);
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
    const bool ran = m_run.preview(request) == ProcessingDriver::Outcome::Ran;
    m_model->reload();
    QTreeView *tree = m_ui->PreviewTV;
    tree->expandAll();
    tree->setCurrentIndex(m_model->index(0, 0));
    tree->setFocus();
    updateSummary();
    return ran;
}

void PreviewPage::apply()
{
    if (m_core.engine.RunInProgress || m_run.list().tickedCount() == 0)
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
    PreviewOccurrenceDialog dialog(*document, o.start, o.length, m_run.list().file(o.file).path,
                                   this);
    dialog.exec();
}

void PreviewPage::updateSummary()
{
    m_model->setChangedNote(m_core.messages.LoadMessage(MsgPreviewFileChanged));
    const PreviewList &list = m_run.list();
    m_ui->PreviewSummaryL->setText(m_core.messages.message(
        MsgPreviewSummary, int(list.size()), int(list.fileCount()), int(list.tickedCount())));
    m_ui->ApplyB->setEnabled(m_run.request().replaceMode && list.tickedCount() > 0);
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
