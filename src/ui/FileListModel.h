#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

// FileList: the ordered full paths a run works on, in insertion order, duplicates allowed.
// The list box shows this model; there is no second copy of the list.
class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    const QStringList &files() const { return m_files; }
    qsizetype count() const { return m_files.size(); }
    bool isEmpty() const { return m_files.isEmpty(); }

    void append(const QStringList &paths);
    void setFiles(const QStringList &paths);
    void clear() { setFiles({}); }
    // Removes the rows in `rows` (any order, no duplicates needed) in one step.
    void removeRowsIn(QList<int> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_files;
};
