#include "ui/PreviewCommands.h"

#include "engine/EngineState.h"
#include "ui/MainWindow.h"
#include "ui/PreviewPage.h"
#include "ui_MainWindow.h"

#include <QStyle>
#include <QToolBar>

using namespace Qt::StringLiterals;

PreviewCommands::PreviewCommands(MainWindow &window)
    : QObject(&window), m_window(window), m_page(new PreviewPage(window.core(), window, &window))
{
    Ui::MainF &ui = window.ui();
    m_page->hide();
    ui.PreviewFiles->setIcon(window.style()->standardIcon(QStyle::SP_FileDialogContentsView));
    if (QWidget *button = ui.ToolBar2->widgetForAction(ui.PreviewFiles)) {
        button->setObjectName(u"ToolButtonPreview"_s);
        button->setMinimumSize(77, 37);
    }
    connect(ui.PreviewFiles, &QAction::triggered, this, &PreviewCommands::PreviewFilesExecute);
    connect(ui.PreviewB, &QPushButton::clicked, ui.PreviewFiles, &QAction::trigger);
    connect(ui.PreviewFiles, &QAction::enabledChanged, ui.PreviewB, &QWidget::setEnabled);
    // The run's report is shown when applying ends; the preview it applied is gone.
    connect(m_page, &PreviewPage::applied, this, &PreviewCommands::closePage);
    connect(m_page, &PreviewPage::closeRequested, this, [this] {
        closePage();
        m_window.showPage(m_window.ui().FilesTS);
    });
}

void PreviewCommands::PreviewFilesExecute()
{
    if (m_window.core().engine.RunInProgress)
        return;
    QTabWidget *pages = m_window.ui().OperationPC;
    if (pages->indexOf(m_page) < 0)
        pages->addTab(m_page, m_page->title());
    m_window.showPage(m_page);
    m_page->start(m_window.runRequest());
}

void PreviewCommands::closePage()
{
    QTabWidget *pages = m_window.ui().OperationPC;
    const int index = pages->indexOf(m_page);
    if (index >= 0)
        pages->removeTab(index);
    m_page->hide();
}
