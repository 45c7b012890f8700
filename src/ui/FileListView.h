#pragma once

#include <QListView>
#include <QStringList>

// The list box FilesLB: one path per row, several rows selectable, a horizontal scroll bar
// as wide as the longest path, and files or folders dropped from a file manager.
class FileListView : public QListView {
    Q_OBJECT
public:
    explicit FileListView(QWidget *parent = nullptr);

    // The width of the longest path, which every row takes so that the view need not measure
    // each row when thousands are added.
    int rowWidth() const { return m_rowWidth; }
    void measure(const QStringList &paths, bool fromScratch);

signals:
    // Local files and folders dropped on the list, in drop order.
    void pathsDropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    int m_rowWidth = 0;
};
