#include "ui/ScriptedPrompter.h"

using namespace Qt::StringLiterals;

void ScriptedPrompter::record(const QString &entry, QWidget *parent)
{
    shown << entry;
    parents << parent;
    if (observer)
        observer(entry);
}

bool ScriptedPrompter::askYesNo(QWidget *parent, const QString &text, const QString &caption, bool)
{
    record(u"question: "_s + caption + u": "_s + text, parent);
    return yesNo.isEmpty() ? defaultYesNo : yesNo.takeFirst();
}

void ScriptedPrompter::showMessage(QWidget *parent, const QString &text)
{
    record(u"message: "_s + text, parent);
}

void ScriptedPrompter::showError(QWidget *parent, const QString &text)
{
    record(u"error: "_s + text, parent);
}

BackupHost::Answer ScriptedPrompter::askAbortRetryIgnore(QWidget *parent, const QString &text)
{
    record(u"ari: "_s + text, parent);
    return abortRetryIgnore.isEmpty() ? BackupHost::Answer::Abort : abortRetryIgnore.takeFirst();
}

QStringList ScriptedPrompter::openFileNames(QWidget *parent, const QString &, const QString &filter)
{
    record(u"open"_s, parent);
    filters << filter;
    return openFiles.isEmpty() ? QStringList() : openFiles.takeFirst();
}

QString ScriptedPrompter::openFileName(QWidget *parent, const QString &, const QString &filter)
{
    record(u"open"_s, parent);
    filters << filter;
    return openFile.isEmpty() ? QString() : openFile.takeFirst();
}

QString ScriptedPrompter::saveFileName(QWidget *parent, const QString &, const QString &filter,
                                       int &filterIndex)
{
    record(u"save "_s + QString::number(filterIndex), parent);
    filters << filter;
    if (saveFiles.isEmpty())
        return {};
    const Save answer = saveFiles.takeFirst();
    if (!answer.name.isEmpty())
        filterIndex = answer.filterIndex;
    return answer.name;
}

bool ScriptedPrompter::choosePrinter(QWidget *parent, QPrinter &printer)
{
    record(u"print"_s, parent);
    if (printerChosen && configurePrinter)
        configurePrinter(printer);
    return printerChosen;
}
