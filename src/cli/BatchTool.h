#pragma once

#include "InterruptSignals.h"
#include "LocaleText.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTextStream>

#include <functional>

class MessageSource;
class QIODevice;

// The command-line tool: parses its arguments, collects the files and runs. Returns the exit
// status: 0 something found, 1 nothing found, 2 an error, an aborted run, a file that could
// not be read or written, or a path that could not be taken.
//
// It speaks the user's language: --lang ru|en, else the locale (LC_ALL, LC_MESSAGES, LANG:
// "ru..." is Russian, anything else English). Every text comes from the message catalogue;
// a language without a source set here speaks the built-in Russian.
class BatchTool {
public:
    struct Environment {
        QByteArray locale; // the first of LC_ALL, LC_MESSAGES, LANG that is set
        bool stderrIsTerminal = false;
        bool stdoutIsTerminal = false; // the diff is coloured there (--color=auto)
        std::function<bool()> stopRequested; // Ctrl-C
        // Reads an answer typed (see TerminalHost::Settings); without it, from `in`.
        std::function<InterruptSignals::Read(QString &answer)> readAnswer;
        LocaleText localeText; // the terminal's character set, in which arguments are typed
        QTextStream *jsonOut = nullptr; // stdout as UTF-8, when `out` is in another set
        QIODevice *standardInput = nullptr; // for "--files-from -"
    };

    // Plugs in the texts of a language ("en"); `source` must outlive the tool.
    void setMessageSource(const QString &language, const MessageSource *source)
    {
        m_sources.insert(language, source);
    }

    int run(const QStringList &arguments, QTextStream &in, QTextStream &out, QTextStream &err,
            const Environment &environment) const;
    // The same with the arguments as the system passed them, decoded in the locale's character
    // set; an argument that is not text in it is refused.
    int run(const QList<QByteArray> &arguments, QTextStream &in, QTextStream &out, QTextStream &err,
            const Environment &environment) const;

    // The language for `arguments` (--lang) and `locale`: "ru" or "en".
    static QString chooseLanguage(const QStringList &arguments, const QByteArray &locale);

    // A run with the built-in texts, in the environment's language.
    static int Run(const QStringList &arguments, QTextStream &in, QTextStream &out,
                   QTextStream &err, bool stderrIsTerminal);

private:
    QHash<QString, const MessageSource *> m_sources;
};
