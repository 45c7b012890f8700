#include "ui/PreviewModel.h"

#include "run/PreviewList.h"

#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Qt hashes an index as (row << 4) + column + internal id. Plain ids (a file's index) put the
// rows of a big preview in a few crowded buckets, and expanding its files (a persistent index
// each) or selecting its rows then takes time growing with the square of their number. The ids
// are therefore an odd multiple of what they stand for, which spreads the rows over every
// bucket and is undone by the multiplier's inverse.
constexpr quintptr Spread = quintptr(Q_UINT64_C(0x9E3779B97F4A7C15));

constexpr quintptr inverseOf(quintptr odd)
{
    quintptr inverse = odd; // right in the lowest three bits; each step doubles that
    for (int i = 0; i < 6; ++i)
        inverse *= 2 - odd * inverse;
    return inverse;
}
constexpr quintptr Unspread = inverseOf(Spread);
static_assert(Spread * Unspread == 1);

// A file's row has no parent; its id has the top bit set. An occurrence's id is its file's.
constexpr quintptr FileMark = quintptr(1) << (8 * sizeof(quintptr) - 1);

quintptr fileId(int row)
{
    return FileMark | ((quintptr(row) * Spread) & ~FileMark);
}

quintptr occurrenceId(qsizetype file)
{
    return (quintptr(file) * Spread) & ~FileMark;
}

qsizetype fileOfOccurrence(const QModelIndex &index)
{
    return qsizetype((index.internalId() * Unspread) & ~FileMark);
}

bool isFileRow(const QModelIndex &index)
{
    return (index.internalId() & FileMark) != 0;
}

} // namespace

PreviewModel::PreviewModel(PreviewList &list, QObject *parent)
    : QAbstractItemModel(parent), m_list(list), m_lines(list)
{
}

void PreviewModel::reload()
{
    beginResetModel();
    m_lines.clear();
    m_shown = int(m_list.fileCount());
    endResetModel();
}

void PreviewModel::showFiles(qsizetype count)
{
    count = std::min(count, m_list.fileCount());
    if (count <= m_shown)
        return;
    beginInsertRows({}, m_shown, int(count) - 1);
    m_shown = int(count);
    endInsertRows();
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
    return isFileRow(index) ? index.row() : fileOfOccurrence(index);
}

qsizetype PreviewModel::occurrenceOf(const QModelIndex &index) const
{
    if (!index.isValid() || isFileRow(index))
        return -1;
    return m_list.file(fileOfOccurrence(index)).first + index.row();
}

QModelIndex PreviewModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, fileId(row));
    return createIndex(row, column, occurrenceId(parent.row()));
}

QModelIndex PreviewModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || isFileRow(child))
        return {};
    const int file = int(fileOfOccurrence(child));
    return createIndex(file, 0, fileId(file));
}

int PreviewModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_shown;
    if (!isFileRow(parent) || parent.column() != 0)
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
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    // Expanding every file then leaves its occurrences alone.
    return isFileRow(index) ? flags : flags | Qt::ItemNeverHasChildren;
}

QVariant PreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (isFileRow(index))
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
    const QString &kept = m_list.replacement(occurrence);
    const QString replacement = m_list.isCut(occurrence) ? kept + QChar(0x2026) : kept;
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
    if (isFileRow(index))
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
