#include "BatchTool.h"

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

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvex-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION));
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return BatchTool::Run(QCoreApplication::arguments(), in, out, err, isatty(fileno(stderr)) != 0);
}
