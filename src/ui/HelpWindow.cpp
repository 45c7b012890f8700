#include "ui/HelpWindow.h"

#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "ui/AccessibleNames.h"
#include "ui/Prompter.h"
#include "ui/WindowFit.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

struct Topic {
    int context;
    const char16_t *page;
};

// Where each help context is explained. MainF and everything without a context of its own is
// 100; the review and options dialogs are 10; the preview page is 350.
constexpr Topic Topics[] = {
    {10, u"review.html#context-10"},     {100, u"start.html#context-100"},
    {150, u"search.html#context-150"},   {200, u"replace.html#context-200"},
    {250, u"patterns.html#context-250"}, {260, u"patterns.html#context-260"},
    {300, u"patterns.html#context-300"}, {350, u"files.html#context-350"},
};

} // namespace

QString HelpWindow::contentsPage()
{
    return u"index.html"_s;
}

QString HelpWindow::topicOf(int context)
{
    for (const Topic &topic : Topics) {
        if (topic.context == context)
            return QString::fromUtf16(topic.page);
    }
    return {};
}

QList<int> HelpWindow::contexts()
{
    QList<int> list;
    for (const Topic &topic : Topics)
        list << topic.context;
    return list;
}

HelpWindow::HelpWindow(const MessageCatalogue &messages, Prompter &prompter, QWidget *parent)
    : QWidget(parent, Qt::Window), m_messages(messages), m_prompter(prompter)
{
    m_ui.setupUi(this);
    AccessibleNames::apply(this);
    // The help never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_ui.BackB->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_ui.ForwardB->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_ui.ContentsB->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    m_ui.BackB->setShortcut(QKeySequence::Back);
    m_ui.ForwardB->setShortcut(QKeySequence::Forward);
    m_ui.BackB->setEnabled(false);
    m_ui.ForwardB->setEnabled(false);
    m_ui.HelpSplitter->setStretchFactor(1, 3);
    connect(m_ui.BackB, &QToolButton::clicked, m_ui.HelpTB, &QTextBrowser::backward);
    connect(m_ui.ForwardB, &QToolButton::clicked, m_ui.HelpTB, &QTextBrowser::forward);
    connect(m_ui.ContentsB, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(m_ui.HelpTB, &QTextBrowser::backwardAvailable, m_ui.BackB, &QWidget::setEnabled);
    connect(m_ui.HelpTB, &QTextBrowser::forwardAvailable, m_ui.ForwardB, &QWidget::setEnabled);
    connect(m_ui.ContentsLB, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showTopic(item->data(Qt::UserRole).toString()); });
    connect(m_ui.ContentsLB, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showTopic(item->data(Qt::UserRole).toString()); });
    resize(760, 540);
}

void HelpWindow::setFolder(const QString &folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    // Pages are named relative to the folder, so the page in sight and the history read the
    // new language's pages.
    m_ui.HelpTB->setSearchPaths({folder});
    if (m_ui.HelpTB->source().isValid())
        m_ui.HelpTB->reload();
    fillContents();
}

void HelpWindow::showOver(QWidget *modal)
{
    auto *dialog = qobject_cast<QDialog *>(modal);
    QWidget *owner = dialog ? dialog : m_home.data();
    if (!owner || parentWidget() == owner)
        return;
    // A window that does not belong to the modal dialog could not be used while it is up; it
    // goes back to the main window when the dialog closes, page and history kept.
    if (!m_home)
        m_home = parentWidget();
    const bool visible = isVisible();
    const QRect frame = geometry();
    setParent(owner, windowFlags());
    setGeometry(frame);
    if (visible)
        show();
    if (dialog)
        connect(
            dialog, &QDialog::finished, this,
            [this] { showOver(QApplication::activeModalWidget()); }, Qt::SingleShotConnection);
}

void HelpWindow::fillContents()
{
    m_ui.ContentsLB->clear();
    QFile file(QDir(m_folder).filePath(contentsPage()));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QTextDocument contents;
    contents.setHtml(QString::fromUtf8(file.readAll()));
    // Every link of the contents page is one entry of the list.
    for (QTextBlock block = contents.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isAnchor() || format.anchorHref().isEmpty())
                continue;
            auto *item = new QListWidgetItem(it.fragment().text().trimmed(), m_ui.ContentsLB);
            item->setData(Qt::UserRole, format.anchorHref());
        }
    }
}

bool HelpWindow::showTopic(const QString &topic)
{
    const QString page = topic.section(u'#', 0, 0);
    const QString path = QDir(m_folder).filePath(page);
    if (m_folder.isEmpty() || !QFileInfo(path).isFile()) {
        m_prompter.showError(this,
                             m_messages.message(MsgCannotOpenFile, QDir::toNativeSeparators(path)));
        return false;
    }
    QUrl url(page);
    url.setFragment(topic.section(u'#', 1));
    m_ui.HelpTB->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}

bool HelpWindow::showContents()
{
    return showTopic(contentsPage());
}

bool HelpWindow::showContext(int context)
{
    const QString topic = topicOf(context);
    return showTopic(topic.isEmpty() ? topicOf(100) : topic);
}

void HelpWindow::retranslateUi()
{
    m_ui.retranslateUi(this);
    AccessibleNames::apply(this);
}

void HelpWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        WindowFit::fitOnShow(this);
}

void HelpWindow::keyPressEvent(QKeyEvent *event)
{
    // Esc closes the help as it closes a dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}
