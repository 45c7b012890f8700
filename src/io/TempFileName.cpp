#include "io/TempFileName.h"

#include <QCoreApplication>

#include <atomic>

namespace {

constexpr QStringView Prefix = u".qvx-";
constexpr QStringView Suffix = u".tmp";

bool allDigits(QStringView text)
{
    if (text.isEmpty() || text.size() > 20)
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

QString TempFileName::make(const QString &folder, qint64 pid, quint64 serial)
{
    QString name = folder;
    name += u'/';
    name += Prefix;
    name += QString::number(pid);
    name += u'-';
    name += QString::number(serial);
    name += Suffix;
    return name;
}

QString TempFileName::next(const QString &folder)
{
    return next(folder, QCoreApplication::applicationPid());
}

QString TempFileName::next(const QString &folder, qint64 pid)
{
    // The one counter of the process: a name is never handed out twice, whatever thread asks.
    static std::atomic<quint64> serial{0};
    return make(folder, pid, serial.fetch_add(1, std::memory_order_relaxed));
}

std::optional<qint64> TempFileName::writerOf(QStringView fileName)
{
    if (!fileName.startsWith(Prefix) || !fileName.endsWith(Suffix))
        return std::nullopt;
    const QStringView middle
        = fileName.sliced(Prefix.size(), fileName.size() - Prefix.size() - Suffix.size());
    const qsizetype dash = middle.indexOf(u'-');
    if (dash < 0 || !allDigits(middle.first(dash)) || !allDigits(middle.sliced(dash + 1)))
        return std::nullopt;
    bool ok = false;
    const qint64 pid = middle.first(dash).toLongLong(&ok);
    return ok ? std::optional<qint64>(pid) : std::nullopt;
}
