#pragma once

#include "lang/LanguageModule.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTranslator>

#include <memory>

class MessageCatalogue;

// The language of the interface: which language module is the source of every form text and
// every message. The built-in texts are Russian (a translation file compiled into the program,
// installed by installBuiltin before the first form is made); a module beside the executable
// replaces them. At most one module is in use; the built-in texts stay underneath it.
//
// Modules are named after the executable with the language's abbreviation as extension:
// "quorvex.ENG", or "quorvex.EN" when that is missing.
class InterfaceLanguage {
public:
    // Locale identifiers of the two languages the options dialog offers.
    static constexpr int English = 2057;
    static constexpr int Russian = 25;

    explicit InterfaceLanguage(MessageCatalogue &messages);
    InterfaceLanguage(const InterfaceLanguage &) = delete;
    InterfaceLanguage &operator=(const InterfaceLanguage &) = delete;
    ~InterfaceLanguage();

    // Installs the built-in Russian texts of the forms and Qt's own Russian texts, once. Needs
    // the application object; false when the built-in texts are missing.
    bool installBuiltin();
    bool builtinInstalled() const { return m_builtinInstalled; }

    // Loads the module for `localeId` and makes it the source of every text
    // (UseResourceModule); nullptr, with nothing changed, when there is no such module.
    LanguageModule *LoadLanguageModule(int localeId);
    // Installs `module`, points the message catalogue at it and only then releases the module
    // in use before. Forms follow when the posted LanguageChange events are delivered
    // (retranslateAll).
    LanguageModule *UseResourceModule(std::unique_ptr<LanguageModule> module);
    // Delivers the posted LanguageChange events now, so every form has its new texts.
    static void retranslateAll();
    // Makes the default locale (dates and numbers in Qt's dialogs) that of `localeId`.
    static void useLocaleOf(int localeId);

    // The module in use; nullptr while the built-in texts are.
    const LanguageModule *currentModule() const { return m_current.get(); }

    // The executable the module names are made from; the running program's unless set.
    QString executablePath() const;
    void setExecutablePath(const QString &path) { m_executablePath = path; }

    // The language the desktop asks messages in: Russian for a locale "ru...", else English.
    static int desktopLanguage() { return languageOfLocale(messagesLocale()); }
    // The locale messages are asked in: the first of LC_ALL, LC_MESSAGES and LANG that is set.
    static QByteArray messagesLocale();
    static int languageOfLocale(QByteArrayView locale);

    // The platform's three-letter abbreviation of a language ("ENG" for 2057, "RUS" for 25);
    // empty for a language the program does not know.
    static QString LanguageAbbreviation(int localeId);
    // The two-letter code of Qt's own translations ("en", "ru"); empty when unknown.
    static QString qtLanguage(int localeId);
    // The module of `abbreviation` beside `executablePath`: the extension of the executable's
    // file name replaced, or added when it has none.
    static QString modulePath(const QString &executablePath, const QString &abbreviation);
    // The path of the built-in Russian texts.
    static QString builtinPath();

private:
    std::unique_ptr<LanguageModule> loadModule(int localeId) const;

    MessageCatalogue &m_messages;
    QTranslator m_builtin;
    bool m_builtinInstalled = false;
    std::unique_ptr<QTranslator> m_builtinQt;
    std::unique_ptr<LanguageModule> m_current;
    QString m_executablePath;
};
