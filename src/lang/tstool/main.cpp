// quorvex-tstool: brings the translation sources in src/lang/translations up to date with the
// message catalogue and the forms' .ui files. Run it through the build target
// update_translations, then translate every entry the English file marks unfinished.

#include "lang/tstool/TranslationSources.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: quorvex-tstool <source tree>\n";
        return 2;
    }
    const QString root = args[1];
    QStringList problems;
    const QList<TsFile::Message> sources = TranslationSources::collect(root, &problems);
    TsFile previous;
    previous.read(root + u'/' + TranslationSources::englishPath());
    const TsFile english = TranslationSources::english(sources, previous);
    if (!writeFile(root + u'/' + TranslationSources::russianPath(),
                   TranslationSources::russian(sources).toXml())
        || !writeFile(root + u'/' + TranslationSources::englishPath(), english.toXml())) {
        err << "cannot write the translation sources\n";
        return 2;
    }
    const auto unfinished = std::count_if(english.messages.cbegin(), english.messages.cend(),
                                          [](const TsFile::Message &m) { return !m.finished; });
    err << sources.size() << " texts; " << unfinished << " English translations to do\n";
    for (const QString &problem : problems)
        err << problem << '\n';
    return problems.isEmpty() ? 0 : 1;
}
