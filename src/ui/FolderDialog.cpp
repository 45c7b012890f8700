#include "ui/FolderDialog.h"

#include "ui/AccessibleNames.h"
#include "ui/WindowFit.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QStorageInfo>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

const int PathRole = Qt::UserRole;

QString cleanFolder(const QString &folder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

} // namespace

FolderDialog::FolderDialog(QWidget *parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    AccessibleNames::apply(this);
    // A fixed dialog: its size follows its content and the user cannot change it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fillDrives();
    m_ui.DirLB->installEventFilter(this);
    connect(m_ui.DriveCB, &QComboBox::activated, this, &FolderDialog::DriveCBChange);
    connect(m_ui.DirLB, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { setOpenFolder(item->data(PathRole).toString()); });
    connect(m_ui.OkBB, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui.CancelBB, &QPushButton::clicked, this, &QDialog::reject);
    setOpenFolder(QDir::currentPath());
}

QStringList FolderDialog::drives()
{
    QStringList roots{u"/"_s};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && volume.device().startsWith("/dev/")
            && !roots.contains(root))
            roots << root;
    }
    return roots;
}

void FolderDialog::fillDrives()
{
    m_ui.DriveCB->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString &root : drives())
        m_ui.DriveCB->addItem(icon, QDir::toNativeSeparators(root), root);
}

QString FolderDialog::driveOf(const QString &folder) const
{
    QString best = u"/"_s;
    for (int i = 0; i < m_ui.DriveCB->count(); ++i) {
        const QString root = m_ui.DriveCB->itemData(i).toString();
        const QString prefix = root.endsWith(u'/') ? root : root + u'/';
        if ((folder == root || folder.startsWith(prefix)) && root.size() > best.size())
            best = root;
    }
    return best;
}

bool FolderDialog::setOpenFolder(const QString &folder)
{
    const QString path = cleanFolder(folder);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isAbsolute() || !info.isDir())
        return false;
    m_open = path;
    const QString drive = driveOf(path);
    m_lastOnDrive[drive] = path;
    m_ui.DriveCB->setCurrentIndex(m_ui.DriveCB->findData(drive));
    m_ui.DirLabel->setText(QDir::toNativeSeparators(path));
    fillFolders();
    return true;
}

void FolderDialog::fillFolders()
{
    m_ui.DirLB->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QStringList levels = m_open.split(u'/', Qt::SkipEmptyParts);
    QString path = u"/"_s;
    auto *rootItem = new QListWidgetItem(open, u"/"_s, m_ui.DirLB);
    rootItem->setData(PathRole, path);
    int depth = 1;
    for (const QString &level : levels) {
        path = path.endsWith(u'/') ? path + level : path + u'/' + level;
        auto *item = new QListWidgetItem(open, QString(depth * 2, u' ') + level, m_ui.DirLB);
        item->setData(PathRole, path);
        ++depth;
    }
    m_ui.DirLB->setCurrentRow(m_ui.DirLB->count() - 1);
    const QDir dir(m_open);
    for (const QString &name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto *item = new QListWidgetItem(closed, QString(depth * 2, u' ') + name, m_ui.DirLB);
        item->setData(PathRole, dir.filePath(name));
    }
}

bool FolderDialog::openHighlighted()
{
    const QListWidgetItem *item = m_ui.DirLB->currentItem();
    const QString path = item ? item->data(PathRole).toString() : QString();
    if (path.isEmpty() || path == m_open)
        return false;
    return setOpenFolder(path);
}

bool FolderDialog::openParent()
{
    const QString from = m_open;
    const QFileInfo info(from);
    if (info.isRoot() || !setOpenFolder(info.absolutePath()))
        return false;
    // The folder left is highlighted, so that going down again is one key.
    for (int row = 0; row < m_ui.DirLB->count(); ++row) {
        if (m_ui.DirLB->item(row)->data(PathRole).toString() == from)
            m_ui.DirLB->setCurrentRow(row);
    }
    return true;
}

bool FolderDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_ui.DirLB || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // On the open folder's own row Enter presses "Оk".
        return openHighlighted();
    case Qt::Key_Right:
        openHighlighted();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
        openParent();
        return true;
    default:
        return false;
    }
}

void FolderDialog::DriveCBChange(int index)
{
    const QString drive = m_ui.DriveCB->itemData(index).toString();
    const QString last = m_lastOnDrive.value(drive, drive);
    if (!setOpenFolder(last))
        setOpenFolder(drive);
}

std::optional<QString> FolderDialog::chooseFolder(const QString &start)
{
    m_ui.RecurseCB->hide();
    if (!start.isEmpty())
        setOpenFolder(start);
    const bool chosen = exec() == QDialog::Accepted;
    m_ui.RecurseCB->show();
    if (!chosen)
        return std::nullopt;
    return m_open;
}

void FolderDialog::FormShow()
{
    // StoredFolder: a shortened or vanished folder names nothing and is ignored.
    setOpenFolder(m_ui.DirLabel->text());
}

void FolderDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    // After QDialog has centred a dialog never placed.
    QDialog::showEvent(event);
    if (!event->spontaneous())
        WindowFit::fitOnShow(this);
}

void FolderDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & Qt::ControlModifier)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FolderDialog::retranslateUi()
{
    m_ui.retranslateUi(this);
    AccessibleNames::apply(this);
}

void FolderDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}
