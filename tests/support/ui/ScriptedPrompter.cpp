#include "ui/ScriptedPrompter.h"

using namespace Qt::StringLiterals;

void ScriptedPrompter::record(const QString &entry)
{
    shown << entry;
    if (observer)
        observer(entry);
}

bool ScriptedPrompter::askYesNo(QWidget *, const QString &text, const QString &caption, bool)
{
    record(u"question: "_s + caption + u": "_s + text);
    return yesNo.isEmpty() ? defaultYesNo : yesNo.takeFirst();
}

void ScriptedPrompter::showMessage(QWidget *, const QString &text)
{
    record(u"message: "_s + text);
}

void ScriptedPrompter::showError(QWidget *, const QString &text)
{
    record(u"error: "_s + text);
}

BackupHost::Answer ScriptedPrompter::askAbortRetryIgnore(QWidget *, const QString &text)
{
    record(u"ari: "_s + text);
    return abortRetryIgnore.isEmpty() ? BackupHost::Answer::Abort : abortRetryIgnore.takeFirst();
}

QStringList ScriptedPrompter::openFileNames(QWidget *, const QString &, const QString &filter)
{
    record(u"open"_s);
    filters << filter;
    return openFiles.isEmpty() ? QStringList() : openFiles.takeFirst();
}

QString ScriptedPrompter::openFileName(QWidget *, const QString &, const QString &filter)
{
    record(u"open"_s);
    filters << filter;
    return openFile.isEmpty() ? QString() : openFile.takeFirst();
}

QString ScriptedPrompter::saveFileName(QWidget *, const QString &, const QString &filter,
                                       int &filterIndex)
{
    record(u"save "_s + QString::number(filterIndex));
    filters << filter;
    if (saveFiles.isEmpty())
        return {};
    const Save answer = saveFiles.takeFirst();
    if (!answer.name.isEmpty())
        filterIndex = answer.filterIndex;
    return answer.name;
}

bool ScriptedPrompter::choosePrinter(QWidget *, QPrinter &printer)
{
    record(u"print"_s);
    if (printerChosen && configurePrinter)
        configurePrinter(printer);
    return printerChosen;
}
