#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The character set of the user's locale, in which the terminal shows what the tool prints and
// in which arguments and pattern files are typed. Qt reads every 8-bit text on this system as
// UTF-8 (file names included); under a locale of another character set (ru_RU.KOI8-R) the tool
// decodes and encodes in that set itself. The C locale counts as UTF-8, as it does for Qt.
class LocaleText {
public:
    LocaleText() = default; // UTF-8
    // `codec`: a character set name as the system gives it ("KOI8-R"); empty or unknown: UTF-8.
    explicit LocaleText(const QByteArray &codec);
    // The character set of the locale the environment asks for (set up with setlocale first).
    static QByteArray codecOfLocale();

    bool isUtf8() const { return m_utf8; }
    QByteArray name() const { return m_name; }
    // The text of `bytes`; nothing when some of them are not text in this character set (a
    // U+FFFD put in their place would end up in the user's files).
    std::optional<QString> decode(QByteArrayView bytes) const;
    // `text` in this character set; characters it cannot hold become "?".
    QByteArray encode(QStringView text) const;
    // A file name typed in this character set, as Qt names files (their bytes as UTF-8):
    // nothing when the bytes typed are not UTF-8, since no file of that name can be opened.
    std::optional<QString> fileName(const QString &typed) const;

private:
    QByteArray m_name = "UTF-8";
    bool m_utf8 = true;
};
