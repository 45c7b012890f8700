#include "io/RunHistory.h"

#include "io/JournalStore.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

QStringList RunHistory::ids() const
{
    QStringList names = QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    // Names are the runs' times in UTC: their order is the runs' order.
    std::reverse(names.begin(), names.end());
    return names;
}

std::optional<JournalIndex> RunHistory::find(const QString &id) const
{
    if (!id.isEmpty())
        return JournalIndex::read(QDir(m_folder).filePath(id));
    for (const QString &name : ids()) {
        if (std::optional<JournalIndex> index = JournalIndex::read(QDir(m_folder).filePath(name)))
            return index;
    }
    return std::nullopt;
}

qint64 RunHistory::spaceUsed() const
{
    qint64 bytes = 0;
    for (const QString &name : ids())
        bytes += JournalIndex::summaryOf(QDir(m_folder).filePath(name)).bytes;
    return bytes;
}

void RunHistory::prune(int maxRuns, qint64 maxBytes) const
{
    const QStringList names = ids();
    qint64 bytes = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString folder = QDir(m_folder).filePath(names[i]);
        bytes += JournalIndex::summaryOf(folder).bytes;
        if (i > 0 && (i >= maxRuns || bytes > maxBytes))
            remove(folder);
    }
}

void RunHistory::remove(const QString &runFolder)
{
    if (const std::optional<JournalIndex> index = JournalIndex::read(runFolder)) {
        for (const QString &store : index->stores) {
            // Only a folder this program made: the run's own, in the shared folder.
            const QFileInfo info(store);
            if (info.fileName() == index->id
                && QFileInfo(info.absolutePath()).fileName() == JournalStore::sharedFolderName())
                QDir(store).removeRecursively();
        }
    }
    QDir(runFolder).removeRecursively();
}
