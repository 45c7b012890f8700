#pragma once

#include "lang/tstool/TsFile.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every text the language modules translate, with its Russian source: the message catalogue
// (ids "Message.<number>") and the texts of every form in src/ui and src/review (the ids the
// .ui files give). The Russian translation source is made from this list, and the English one
// must translate every entry of it.
class TranslationSources {
public:
    // The folders whose .ui files are read, relative to the source tree's root.
    static QStringList formFolders();

    // Reads the forms below `sourceRoot`. Faults (a form without idbasedtr="true", a text
    // without an id, one id with two texts, an unreadable file) are added to `problems`.
    static QList<TsFile::Message> collect(const QString &sourceRoot, QStringList *problems);

    // The Russian file: every entry translated as itself.
    static TsFile russian(const QList<TsFile::Message> &sources);
    // The English file: translations of `previous` kept where the Russian source is unchanged;
    // entries that are new or whose source changed are marked unfinished.
    static TsFile english(const QList<TsFile::Message> &sources, const TsFile &previous);

    // Where the two files live, relative to the source tree's root.
    static QString russianPath();
    static QString englishPath();
};
