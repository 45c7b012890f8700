#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for a test's files, removed with it.
class TestFolder {
public:
    // The full path of `name` below the folder.
    QString path(const QString &name) const;
    // Writes a file below the folder (making its folders) and returns its full path.
    QString write(const QString &name, const QByteArray &bytes);
    // The file's bytes, or "<missing>".
    QByteArray read(const QString &path) const;

    QTemporaryDir dir;
};
