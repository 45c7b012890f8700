#pragma once

#include <QByteArray>
#include <QString>

// Whole files read and written by the tests of the settings file.
class FileBytes {
public:
    // The file's bytes, or "<missing>".
    static QByteArray read(const QString &path);
    // Writes the file, making its folders; a failure fails the test.
    static void write(const QString &path, const QByteArray &bytes);
};
