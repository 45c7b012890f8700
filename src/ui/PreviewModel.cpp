#include "ui/PreviewModel.h"

#include "run/PreviewList.h"

#include <QDir>

using namespace Qt::StringLiterals;

// A file's row has no parent; an occurrence's internal id is its file's index plus one.
PreviewModel::PreviewModel(PreviewList &list, QObject *parent)
    : QAbstractItemModel(parent), m_list(list), m_lines(list)
{
}

void PreviewModel::reload()
{
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

void PreviewModel::replacementsChanged()
{
    for (int file = 0; file < rowCount(); ++file) {
        const QModelIndex parent = index(file, 0);
        const int rows = rowCount(parent);
        if (rows > 0)
            emit dataChanged(index(0, 0, parent), index(rows - 1, 0, parent), {Qt::DisplayRole});
    }
}

qsizetype PreviewModel::fileOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    return index.internalId() == 0 ? index.row() : qsizetype(index.internalId()) - 1;
}

qsizetype PreviewModel::occurrenceOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == 0)
        return -1;
    return m_list.file(qsizetype(index.internalId()) - 1).first + index.row();
}

QModelIndex PreviewModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, quintptr(0));
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex PreviewModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int PreviewModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_list.fileCount());
    if (parent.internalId() != 0 || parent.column() != 0)
        return 0;
    return int(m_list.file(parent.row()).count);
}

int PreviewModel::columnCount(const QModelIndex &) const
{
    return 1;
}

Qt::ItemFlags PreviewModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

QVariant PreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.internalId() == 0)
        return fileData(index.row(), role);
    return occurrenceData(occurrenceOf(index), role);
}

QVariant PreviewModel::fileData(qsizetype file, int role) const
{
    const PreviewList::File &f = m_list.file(file);
    switch (role) {
    case Qt::DisplayRole:
        return u"%1 (%2)"_s.arg(QDir::toNativeSeparators(f.path)).arg(f.count);
    case Qt::CheckStateRole:
        if (f.ticked == 0)
            return Qt::Unchecked;
        return f.ticked == f.count ? Qt::Checked : Qt::PartiallyChecked;
    default:
        return {};
    }
}

QVariant PreviewModel::occurrenceData(qsizetype occurrence, int role) const
{
    const PreviewList::Occurrence &o = m_list.at(occurrence);
    switch (role) {
    case Qt::CheckStateRole:
        return o.ticked ? Qt::Checked : Qt::Unchecked;
    case Qt::DisplayRole:
    case PartsRole:
    case ChangedRole:
        break;
    default:
        return {};
    }
    const PreviewLines::Row row = m_lines.row(occurrence);
    if (role == ChangedRole)
        return row.changed;
    const QString replacement = o.cut ? o.replacement + QChar(0x2026) : o.replacement;
    if (row.changed)
        return role == PartsRole ? QVariant(QStringList{QString(), m_changedNote, {}, {}, {}})
                                 : QVariant(m_changedNote);
    const QString position = u"%1:%2"_s.arg(row.position.line).arg(row.position.column);
    if (role == PartsRole)
        return QStringList{position, row.before, row.found, replacement, row.after};
    // Read aloud and copied: the line with the change written out.
    return u"%1  %2[%3 \u2192 %4]%5"_s.arg(position, row.before, row.found, replacement, row.after);
}

bool PreviewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    const bool ticked = value.toInt() != Qt::Unchecked;
    const qsizetype file = fileOf(index);
    if (index.internalId() == 0)
        m_list.setFileTicked(file, ticked);
    else
        m_list.setTicked(occurrenceOf(index), ticked);
    const QModelIndex fileIndex = this->index(int(file), 0);
    emit dataChanged(fileIndex, fileIndex, {Qt::CheckStateRole});
    const int rows = rowCount(fileIndex);
    if (rows > 0)
        emit dataChanged(this->index(0, 0, fileIndex), this->index(rows - 1, 0, fileIndex),
                         {Qt::CheckStateRole});
    emit ticksChanged();
    return true;
}
