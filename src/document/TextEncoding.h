#pragma once

#include "document/CodePage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

// How a plain-text file's characters are stored as bytes, byte-order mark included: what a
// file was read with and what it is written back with.
class TextEncoding {
public:
    enum class Kind { Cp1251, Utf8, Utf16LE, Utf16BE, Named, Cp866, Koi8R, Iso8859_5 };

    // Code page 1251, the encoding of files that declare nothing else.
    TextEncoding() = default;

    static TextEncoding cp1251() { return {}; }
    // One of the 8-bit code pages a file without a mark may be read in.
    static TextEncoding forCodePage(CodePage page);
    static TextEncoding utf8(bool withBom) { return TextEncoding(Kind::Utf8, withBom); }
    static TextEncoding utf16LE() { return TextEncoding(Kind::Utf16LE, true); }
    static TextEncoding utf16BE() { return TextEncoding(Kind::Utf16BE, true); }
    // A character set named as in an HTML <meta> declaration; nullopt when it is not known.
    // UTF-16 and UTF-32 names mean UTF-8, since a file that could declare them in ASCII
    // cannot be in them.
    static std::optional<TextEncoding> forCharsetName(QByteArrayView name);

    Kind kind() const { return m_kind; }
    // The 8-bit code page of the table kinds; nothing for the others.
    std::optional<CodePage> codePage() const;
    bool hasBom() const { return m_bom; }
    QByteArray name() const;
    QByteArray byteOrderMark() const;

    // The text of `body` (the bytes after the mark); nullopt when the bytes are not valid in
    // this encoding or would not be written back exactly as they are.
    std::optional<QString> decode(QByteArrayView body) const;
    // Appends the mark and the bytes of `text` to `out`; false when a character cannot be
    // represented (`out` is then unspecified). Nothing is ever replaced by "?".
    bool encode(QStringView text, QByteArray &out) const;
    // Whether a text can be encoded piece by piece (encodeBody on consecutive pieces gives the
    // bytes of the whole, when no piece ends inside a surrogate pair): every kind but Named.
    bool encodesInPieces() const { return m_kind != Kind::Named; }
    // The bytes of `text` without the mark, appended to `out`; false as encode().
    bool encodeBody(QStringView text, QByteArray &out) const;
    bool canEncode(QStringView text) const;

    friend bool operator==(const TextEncoding &, const TextEncoding &) = default;

private:
    TextEncoding(Kind kind, bool bom, QByteArray name = {})
        : m_kind(kind), m_bom(bom), m_name(std::move(name))
    {
    }

    Kind m_kind = Kind::Cp1251;
    bool m_bom = false;
    QByteArray m_name; // the converter's own name, for Kind::Named
};
