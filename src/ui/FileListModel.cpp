#include "ui/FileListModel.h"

#include <algorithm>

void FileListModel::append(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const int first = int(m_files.size());
    beginInsertRows({}, first, first + int(paths.size()) - 1);
    m_files += paths;
    endInsertRows();
}

void FileListModel::setFiles(const QStringList &paths)
{
    beginResetModel();
    m_files = paths;
    endResetModel();
}

void FileListModel::removeRowsIn(QList<int> rows)
{
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    // Rebuilding once keeps removing thousands of rows linear.
    QStringList kept;
    kept.reserve(m_files.size());
    auto next = rows.cbegin();
    for (int i = 0; i < m_files.size(); ++i) {
        while (next != rows.cend() && *next < i)
            ++next;
        if (next != rows.cend() && *next == i)
            continue;
        kept << m_files.at(i);
    }
    setFiles(kept);
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_files.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_files.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_files.at(index.row());
    return {};
}
