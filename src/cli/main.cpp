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

using namespace Qt::StringLiterals;
#endif

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"quorvex-batch"_s);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(QUORVEX_VERSION));
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return BatchTool::Run(QCoreApplication::arguments(), in, out, err, isatty(fileno(stderr)) != 0);
}
