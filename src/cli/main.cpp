#include "BatchTool.h"
#include "InterruptSignals.h"

#include "lang/LanguageModule.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"quorvex-batch"_s);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(QUORVEX_VERSION));
    InterruptSignals::install();
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The program's English module lies beside the tool ("quorvex.ENG", else "quorvex.EN");
    // without it English falls back to the built-in Russian texts.
    const QString folder = QCoreApplication::applicationDirPath() + u'/';
    std::unique_ptr<LanguageModule> english = LanguageModule::load(folder + u"quorvex.ENG"_s, {});
    if (!english)
        english = LanguageModule::load(folder + u"quorvex.EN"_s, {});
    BatchTool tool;
    if (english)
        tool.setMessageSource(u"en"_s, english.get());
    const BatchTool::Environment environment{BatchTool::localeFromEnvironment(),
                                             isatty(fileno(stderr)) != 0,
                                             &InterruptSignals::stopRequested};
    return tool.run(QCoreApplication::arguments(), in, out, err, environment);
}
