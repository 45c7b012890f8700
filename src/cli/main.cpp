#include "BatchTool.h"
#include "InterruptSignals.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
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
    // A translated language plugs in here: tool.setMessageSource(u"en"_s, &englishTexts).
    BatchTool tool;
    const BatchTool::Environment environment{BatchTool::localeFromEnvironment(),
                                             isatty(fileno(stderr)) != 0,
                                             &InterruptSignals::stopRequested};
    return tool.run(QCoreApplication::arguments(), in, out, err, environment);
}
