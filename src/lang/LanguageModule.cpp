#include "lang/LanguageModule.h"

#include "lang/QtTexts.h"

#include <QFileInfo>
#include <QLibraryInfo>

using namespace Qt::StringLiterals;

std::unique_ptr<LanguageModule> LanguageModule::load(const QString &path, const QString &qtLanguage)
{
    if (!QFileInfo(path).isFile())
        return nullptr;
    std::unique_ptr<LanguageModule> module(new LanguageModule);
    // Empty delimiters and suffix: the file of exactly this name or none.
    if (!module->m_texts.load(path, QString(), u""_s, u""_s))
        return nullptr;
    module->m_path = path;
    if (!qtLanguage.isEmpty())
        module->m_qt = loadQtTexts(qtLanguage);
    return module;
}

std::optional<QString> LanguageModule::text(int id) const
{
    const QString text = m_texts.translate(nullptr, messageId(id).constData());
    if (text.isNull())
        return std::nullopt;
    return text;
}

QByteArray LanguageModule::messageId(int id)
{
    return "Message." + QByteArray::number(id);
}

std::unique_ptr<QTranslator> LanguageModule::loadQtTexts(const QString &language)
{
    auto translator = std::make_unique<QtTexts>(language);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(folder + u"/qtbase_"_s + language + u".qm"_s, QString(), u""_s, u""_s))
        return nullptr;
    return translator;
}
