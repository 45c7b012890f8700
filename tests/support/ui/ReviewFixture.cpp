#include "ui/ReviewFixture.h"

#include "run/RunRequest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

ReviewFixture::ReviewFixture()
{
    host.setDialog(&dialog);
    core.options.SetProgramFolder(dir.path() + u"/program"_s);
}

QString ReviewFixture::path(const QString &name) const
{
    return dir.filePath(name);
}

QString ReviewFixture::write(const QString &name, const QByteArray &bytes)
{
    const QString full = path(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file %s", qPrintable(full));
    return full;
}

QByteArray ReviewFixture::read(const QString &full) const
{
    QFile file(full);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

ProcessingDriver::Outcome ReviewFixture::replace(const QStringList &files, const QString &search,
                                                 const QString &replacement)
{
    RunRequest request;
    request.files = files;
    request.searchPattern = search;
    request.replacementPattern = replacement;
    return core.driver.ProcessFilesExecute(request);
}

ProcessingDriver::Outcome ReviewFixture::find(const QStringList &files, const QString &search)
{
    RunRequest request;
    request.files = files;
    request.searchPattern = search;
    request.replaceMode = false;
    return core.driver.ProcessFilesExecute(request);
}

void ReviewFixture::load(const QString &file, qsizetype start, qsizetype length)
{
    core.engine.CurrentFileName = file;
    if (core.review.Load(file) != LoadStatus::Loaded)
        qFatal("cannot load %s", qPrintable(file));
    core.engine.MatchStart = start;
    core.engine.MatchLength = length;
}

ModalResult ReviewFixture::show(const ReviewTestHost::Step &step)
{
    host.steps = {step};
    return host.ShowOccurrence(core.review);
}
