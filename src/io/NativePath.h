#pragma once

#include <QFile>
#include <QString>

#include <algorithm>
#include <filesystem>

// A file name as the C++ library's file calls take it: the bytes the system uses for the name
// where names are bytes (as QFile::encodeName gives them), UTF-16 where names are UTF-16.
class NativePath {
public:
    static std::filesystem::path of(const QString &path)
    {
#ifdef Q_OS_WIN
        return std::filesystem::path(path.toStdWString());
#else
        return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
    }

    // The last part of `path`, as QFileInfo::fileName gives it, without making a QFileInfo
    // for each file.
    static QStringView fileNameOf(const QString &path)
    {
        qsizetype slash = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
        slash = std::max(slash, path.lastIndexOf(u'\\'));
#endif
        return QStringView(path).sliced(slash + 1);
    }
};
