#include "lang/tstool/TranslationSources.h"

#include "lang/BuiltinMessages.h"
#include "lang/LanguageModule.h"
#include "lang/tstool/UiTextReader.h"

#include <QDir>
#include <QHash>

using namespace Qt::StringLiterals;

namespace {

void collectForm(const UiTextReader::Form &form, QList<TsFile::Message> &out,
                 QHash<QString, QString> &seen, QStringList *problems)
{
    if (!form.error.isEmpty()) {
        problems->append(form.file + u": "_s + form.error);
        return;
    }
    if (!form.idBased && !form.texts.isEmpty())
        problems->append(form.file + u": the <ui> element lacks idbasedtr=\"true\""_s);
    for (const UiTextReader::Text &text : form.texts) {
        const QString where = form.file + u':' + QString::number(text.line);
        if (text.id.isEmpty()) {
            problems->append(where + u": text without an id: "_s + text.text);
            continue;
        }
        const auto known = seen.constFind(text.id);
        if (known != seen.cend()) {
            if (*known != text.text)
                problems->append(where + u": id "_s + text.id + u" has another text elsewhere"_s);
            continue;
        }
        seen.insert(text.id, text.text);
        out.append({text.id.section(u'.', 0, 0), text.id, text.text, QString(), false});
    }
}

} // namespace

QStringList TranslationSources::formFolders()
{
    return {u"src/ui"_s, u"src/review"_s};
}

QList<TsFile::Message> TranslationSources::collect(const QString &sourceRoot, QStringList *problems)
{
    QList<TsFile::Message> sources;
    const BuiltinMessages builtin;
    for (int id : BuiltinMessages::Ids()) {
        sources.append({u"Messages"_s, QString::fromLatin1(LanguageModule::messageId(id)),
                        builtin.text(id).value_or(QString()), QString(), false});
    }
    QHash<QString, QString> seen;
    for (const QString &folder : formFolders()) {
        const QDir dir(sourceRoot + u'/' + folder);
        const QStringList files = dir.entryList({u"*.ui"_s}, QDir::Files, QDir::Name);
        for (const QString &file : files) {
            UiTextReader::Form form = UiTextReader::read(dir.filePath(file));
            form.file = folder + u'/' + file;
            collectForm(form, sources, seen, problems);
        }
    }
    return sources;
}

TsFile TranslationSources::russian(const QList<TsFile::Message> &sources)
{
    TsFile ts;
    ts.language = u"ru_RU"_s;
    ts.sourceLanguage = u"ru_RU"_s;
    for (TsFile::Message message : sources) {
        message.translation = message.source;
        message.finished = true;
        ts.messages.append(message);
    }
    return ts;
}

TsFile TranslationSources::english(const QList<TsFile::Message> &sources, const TsFile &previous)
{
    TsFile ts;
    ts.language = u"en_GB"_s;
    ts.sourceLanguage = u"ru_RU"_s;
    for (TsFile::Message message : sources) {
        if (const TsFile::Message *old = previous.find(message.id)) {
            message.translation = old->translation;
            message.finished = old->finished && old->source == message.source;
        }
        ts.messages.append(message);
    }
    return ts;
}

QString TranslationSources::russianPath()
{
    return u"src/lang/translations/quorvex_ru.ts"_s;
}

QString TranslationSources::englishPath()
{
    return u"src/lang/translations/quorvex_en.ts"_s;
}
