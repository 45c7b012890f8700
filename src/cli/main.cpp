#include "BatchTool.h"
#include "EncodingDevice.h"
#include "InterruptSignals.h"
#include "LocaleText.h"

#include "lang/InterfaceLanguage.h"
#include "lang/LanguageModule.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <clocale>
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
    // The locale decides the character set of the arguments and of the terminal. Qt reads
    // arguments as UTF-8 whatever it is, so the tool keeps them as the system passed them.
    std::setlocale(LC_ALL, "");
    const LocaleText localeText(LocaleText::codecOfLocale());
    const QList<QByteArray> arguments(argv, argv + argc);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"quorvex-batch"_s);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(QUORVEX_VERSION));
    InterruptSignals::install();
    // Answers are read from the descriptor itself (readAnswer); names from "--files-from -".
    QFile input;
    input.open(fileno(stdin), QIODevice::ReadOnly);
    QTextStream in(&input);
    QFile standardOutput;
    QFile standardError;
    standardOutput.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
    standardError.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered);
    // The report and the messages in the terminal's character set; JSON is UTF-8 always.
    EncodingDevice outDevice(standardOutput, localeText);
    EncodingDevice errDevice(standardError, localeText);
    const bool utf8 = localeText.isUtf8();
    QTextStream out(utf8 ? static_cast<QIODevice *>(&standardOutput) : &outDevice);
    QTextStream err(utf8 ? static_cast<QIODevice *>(&standardError) : &errDevice);
    QTextStream json(&standardOutput);
    // The program's English module lies beside the tool ("quorvex.ENG", else "quorvex.EN");
    // without it English falls back to the built-in Russian texts.
    const QString folder = QCoreApplication::applicationDirPath() + u'/';
    std::unique_ptr<LanguageModule> english = LanguageModule::load(folder + u"quorvex.ENG"_s, {});
    if (!english)
        english = LanguageModule::load(folder + u"quorvex.EN"_s, {});
    BatchTool tool;
    if (english)
        tool.setMessageSource(u"en"_s, english.get());
    BatchTool::Environment environment;
    environment.locale = InterfaceLanguage::messagesLocale();
    environment.stderrIsTerminal = isatty(fileno(stderr)) != 0;
    environment.stdoutIsTerminal = isatty(fileno(stdout)) != 0;
    environment.stopRequested = &InterruptSignals::stopRequested;
    environment.readAnswer = [&localeText](QString &answer) {
        QByteArray line;
        const InterruptSignals::Read read = InterruptSignals::readLine(fileno(stdin), line);
        if (line.endsWith('\r'))
            line.chop(1);
        answer = localeText.decode(line).value_or(QString::fromUtf8(line));
        return read;
    };
    environment.localeText = localeText;
    environment.jsonOut = utf8 ? nullptr : &json;
    environment.standardInput = &input;
    return tool.run(arguments, in, out, err, environment);
}
