#pragma once

#include "cli/BatchTool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

// A temporary folder and the command-line tool run in-process on it, with standard input
// scripted and both outputs captured.
struct BatchToolFixture {
    QTemporaryDir dir;
    QTemporaryDir journal; // the runs' journal, outside the files' folder
    QString input;
    QString out;
    QString err;
    BatchTool tool;
    BatchTool::Environment environment;

    BatchToolFixture()
    {
        environment.locale = "ru_RU.UTF-8";
        qputenv("QUORVEX_JOURNAL_FOLDER", QFile::encodeName(journal.path()));
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString full = path(name);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(full));
        return full;
    }

    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    int run(QStringList arguments)
    {
        QTextStream outStream(&out);
        return run(std::move(arguments), outStream);
    }

    int run(QStringList arguments, QTextStream &outStream)
    {
        QTextStream errStream(&err);
        return run(std::move(arguments), outStream, errStream);
    }

    int run(QStringList arguments, QTextStream &outStream, QTextStream &errStream)
    {
        arguments.prepend(QStringView(u"quorvex-batch").toString());
        QTextStream in(&input);
        return tool.run(arguments, in, outStream, errStream, environment);
    }

    // With the arguments as the system passes them, in the locale's character set.
    int run(QList<QByteArray> arguments)
    {
        arguments.prepend("quorvex-batch");
        QTextStream in(&input);
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return tool.run(arguments, in, outStream, errStream, environment);
    }
};
