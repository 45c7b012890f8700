#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "ui/DisplayCheck.h"
#include "ui/Program.h"
#include "ui/WidgetPrompter.h"

#include <QApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    if (!DisplayCheck::hasDisplay()) {
        const MessageCatalogue messages;
        std::fprintf(stderr, "%s\n", messages.LoadMessage(MsgNoDisplay).toLocal8Bit().constData());
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"quorvex"_s);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(QUORVEX_VERSION));
    WidgetPrompter prompter;
    Program program(prompter, QCoreApplication::applicationFilePath());
    program.show();
    return app.exec();
}
