#include "ui/FileListView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStyledItemDelegate>
#include <QUrl>

namespace {

QStringList localPaths(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

// Every row is as wide as the longest path and one text line high.
class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(const FileListView &view)
        : QStyledItemDelegate(const_cast<FileListView *>(&view)), m_view(view)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return {m_view.rowWidth() + 8, option.fontMetrics.height() + 2};
    }

private:
    const FileListView &m_view;
};

} // namespace

FileListView::FileListView(QWidget *parent) : QListView(parent)
{
    setSelectionMode(ExtendedSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setEditTriggers(NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(DropOnly);
    setItemDelegate(new RowDelegate(*this));
}

void FileListView::measure(const QStringList &paths, bool fromScratch)
{
    if (fromScratch)
        m_rowWidth = 0;
    const QFontMetrics metrics(font());
    for (const QString &path : paths)
        m_rowWidth = std::max(m_rowWidth, metrics.horizontalAdvance(path));
}

void FileListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (localPaths(event->mimeData()).isEmpty())
        return event->ignore();
    event->acceptProposedAction();
}

void FileListView::dragMoveEvent(QDragMoveEvent *event)
{
    if (localPaths(event->mimeData()).isEmpty())
        return event->ignore();
    event->acceptProposedAction();
}

void FileListView::dropEvent(QDropEvent *event)
{
    const QStringList paths = localPaths(event->mimeData());
    if (paths.isEmpty())
        return event->ignore();
    event->acceptProposedAction();
    emit pathsDropped(paths);
}
