#pragma once

#include "lang/MessageSource.h"

#include <QByteArray>
#include <QString>
#include <QTranslator>

#include <memory>

// A language module: a file of id-based Qt translations (lrelease -idbased) holding the texts of
// every form (ids such as "TOptionsF.OkB.Caption") and of the message catalogue (ids
// "Message.<number>"), together with Qt's own texts in the same language when the system has
// them. As a message source it answers the catalogue's numbers from the module alone.
class LanguageModule final : public MessageSource {
public:
    // Loads exactly `path` (Qt's own lookup would try other names); nothing when that is not a
    // translation file. `qtLanguage` ("en", "ru") picks Qt's own texts; empty for none.
    static std::unique_ptr<LanguageModule> load(const QString &path, const QString &qtLanguage);

    std::optional<QString> text(int id) const override;

    QString path() const { return m_path; }
    QTranslator &texts() { return m_texts; }
    // Qt's own texts (button captions of its dialogs); nullptr when not installed.
    QTranslator *qtTexts() { return m_qt.get(); }

    // The translation id of catalogue entry `id`: "Message.65264".
    static QByteArray messageId(int id);
    // Qt's translation of its own texts for `language` ("ru"), if the system has it.
    static std::unique_ptr<QTranslator> loadQtTexts(const QString &language);

private:
    LanguageModule() = default;

    QTranslator m_texts;
    std::unique_ptr<QTranslator> m_qt;
    QString m_path;
};
