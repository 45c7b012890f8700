#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// An INI-style profile file ("[Section]" lines, then "key=value" lines) edited in place: every
// line that is not changed stays as it was, line ending included. Section and key names compare
// without regard to case; the first section and the first key of a name count. Lines beginning
// with ";" or "#" are comments.
//
// Reading a value trims blanks and removes one pair of surrounding quotes (" or '); writing
// quotes a value where that reading would change it, and removes control characters, so that a
// value can never carry a line break (and with it keys or sections) into the file.
//
// The file is read as UTF-8 (with or without a byte-order mark) when its bytes are valid UTF-8,
// else as code page 1251, which maps every byte. It is written back in that encoding when every
// character fits, else as UTF-8; a new file is UTF-8 with LF line endings.
class ProfileFile {
public:
    enum class Encoding { Utf8, Utf8WithBom, Cp1251 };

    // Empty; written as UTF-8 with LF.
    ProfileFile() = default;
    static ProfileFile fromBytes(const QByteArray &bytes);

    // False when the file cannot be read; the object is then left empty.
    bool load(const QString &path);
    // Writes the whole file at once: a failure leaves the old file as it was.
    bool save(const QString &path, QString *error = nullptr) const;

    QByteArray toBytes() const;
    Encoding encoding() const { return m_encoding; }

    // The value as read: blanks trimmed, one pair of surrounding quotes removed. Nothing when
    // the section or the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;
    // Replaces the value of the key in place (the line is left alone when the value read back
    // would be the same), or appends the key after the last key of its section, or the section
    // at the end of the file.
    void setValue(const QString &section, const QString &key, const QString &value);

    // The text of `value` as it is written after "=".
    static QString quoted(const QString &value);
    // `text` without control characters (line breaks and tabs included).
    static QString withoutControlCharacters(const QString &text);

private:
    struct Line {
        QString text;
        QString eol; // "\r\n", "\n", "\r", or empty for a last line without one
    };
    struct Span {
        qsizetype header = -1; // index of the "[Section]" line
        qsizetype lastKey = -1; // index of its last key line, or the header
    };

    std::optional<Span> findSection(QStringView section) const;
    qsizetype findKey(const Span &span, QStringView key) const;
    qsizetype sectionEnd(qsizetype header) const;
    QString newLineEnding() const;
    void insertLine(qsizetype at, const QString &text);
    void appendLine(const QString &text);

    QList<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
    QString m_lineEnding; // of new lines; empty until known from the file
};
