#include "lang/InterfaceLanguage.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "ui/DisplayCheck.h"
#include "ui/Program.h"
#include "ui/WidgetPrompter.h"

#include <QApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Where no window can be shown there are no settings to speak the stored language, so the
// user's locale chooses it, as it does for quorvex-batch.
int sayNoDisplay(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    if (InterfaceLanguage::desktopLanguage() != InterfaceLanguage::Russian)
        language.LoadLanguageModule(InterfaceLanguage::English);
    std::fprintf(stderr, "%s\n", messages.LoadMessage(MsgNoDisplay).toLocal8Bit().constData());
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!DisplayCheck::hasDisplay())
        return sayNoDisplay(argc, argv);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"quorvex"_s);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(QUORVEX_VERSION));
    WidgetPrompter prompter;
    Program program(prompter, QCoreApplication::applicationFilePath());
    program.show();
    return app.exec();
}
