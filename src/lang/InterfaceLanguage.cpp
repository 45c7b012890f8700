#include "lang/InterfaceLanguage.h"

#include "lang/MessageCatalogue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

struct Language {
    int localeId;
    const char16_t *abbreviation;
    const char16_t *qtCode;
};

// The abbreviations the platform gives these locales.
constexpr Language Languages[] = {
    {2057, u"ENG", u"en"}, // English (United Kingdom)
    {1033, u"ENU", u"en"}, // English (United States)
    {25, u"RUS", u"ru"}, // Russian
    {1049, u"RUS", u"ru"}, // Russian (Russia)
};

const Language *find(int localeId)
{
    for (const Language &language : Languages) {
        if (language.localeId == localeId)
            return &language;
    }
    return nullptr;
}

} // namespace

InterfaceLanguage::InterfaceLanguage(MessageCatalogue &messages) : m_messages(messages)
{
}

InterfaceLanguage::~InterfaceLanguage()
{
    if (m_current)
        m_messages.setSource(nullptr);
}

bool InterfaceLanguage::installBuiltin()
{
    if (m_builtinInstalled)
        return true;
    if (!m_builtin.load(builtinPath(), QString(), u""_s, u""_s))
        return false;
    QCoreApplication::installTranslator(&m_builtin);
    m_builtinInstalled = true;
    useLocaleOf(Russian);
    m_builtinQt = LanguageModule::loadQtTexts(qtLanguage(Russian));
    if (m_builtinQt)
        QCoreApplication::installTranslator(m_builtinQt.get());
    return true;
}

LanguageModule *InterfaceLanguage::LoadLanguageModule(int localeId)
{
    std::unique_ptr<LanguageModule> module = loadModule(localeId);
    if (!module)
        return nullptr;
    useLocaleOf(localeId);
    return UseResourceModule(std::move(module));
}

LanguageModule *InterfaceLanguage::UseResourceModule(std::unique_ptr<LanguageModule> module)
{
    QCoreApplication::installTranslator(&module->texts());
    if (QTranslator *qt = module->qtTexts())
        QCoreApplication::installTranslator(qt);
    m_messages.setSource(module.get());
    // Qt's built-in Russian texts would show under a module without Qt texts of its own.
    if (m_builtinQt) {
        QCoreApplication::removeTranslator(m_builtinQt.get());
        m_builtinQt.reset();
    }
    // Releasing the old module removes its translators from the application.
    m_current = std::move(module);
    return m_current.get();
}

void InterfaceLanguage::useLocaleOf(int localeId)
{
    // Dates and numbers in Qt's dialogs follow the interface: the system's own formats when
    // they are of that language, else the language's.
    const QString code = qtLanguage(localeId);
    if (code.isEmpty())
        return;
    const QLocale system = QLocale::system();
    QLocale::setDefault(system.name().startsWith(code) ? system : QLocale(code));
}

void InterfaceLanguage::retranslateAll()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

QString InterfaceLanguage::executablePath() const
{
    return m_executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : m_executablePath;
}

QByteArray InterfaceLanguage::messagesLocale()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

int InterfaceLanguage::languageOfLocale(QByteArrayView locale)
{
    return locale.startsWith("ru") ? Russian : English;
}

QString InterfaceLanguage::LanguageAbbreviation(int localeId)
{
    const Language *language = find(localeId);
    return language ? QString::fromUtf16(language->abbreviation) : QString();
}

QString InterfaceLanguage::qtLanguage(int localeId)
{
    const Language *language = find(localeId);
    return language ? QString::fromUtf16(language->qtCode) : QString();
}

QString InterfaceLanguage::modulePath(const QString &executablePath, const QString &abbreviation)
{
    // Only the file name counts: a dot in a folder's name is no extension.
    const QFileInfo executable(executablePath);
    const QString name = executable.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot > 0 ? name.first(dot) : name;
    return executable.absolutePath() + u'/' + base + u'.' + abbreviation;
}

QString InterfaceLanguage::builtinPath()
{
    return u":/quorvex/lang/quorvex.RUS"_s;
}

std::unique_ptr<LanguageModule> InterfaceLanguage::loadModule(int localeId) const
{
    const QString abbreviation = LanguageAbbreviation(localeId);
    if (abbreviation.isEmpty())
        return nullptr;
    const QString qt = qtLanguage(localeId);
    std::unique_ptr<LanguageModule> module
        = LanguageModule::load(modulePath(executablePath(), abbreviation), qt);
    if (!module && abbreviation.size() > 2)
        module = LanguageModule::load(modulePath(executablePath(), abbreviation.first(2)), qt);
    return module;
}
