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
