#pragma once

#include "document/DocumentCodec.h"
#include "document/LineBreaks.h"
#include "document/TextEncoding.h"

#include <QByteArrayView>

// Plain text and HTML: the encoding (with its byte-order mark) and the line-break style of
// the file, so that the text is written back as it was read.
class PlainTextCodec final : public DocumentCodec {
public:
    explicit PlainTextCodec(TextEncoding encoding = {},
                            LineBreakStyle lineBreaks = LineBreakStyle::None,
                            std::optional<CodePage> likelier = std::nullopt);

    // The text of `bytes`; `fileName` decides whether an HTML charset declaration is honoured,
    // `codePage` how bytes that are neither UTF-8 nor marked are read.
    static DecodedText load(QByteArrayView bytes, QStringView fileName,
                            CodePage codePage = CodePage::Cp1251);

    const TextEncoding &encoding() const { return m_encoding; }
    // Read in an 8-bit code page, the bytes looked like this other one (CodePageGuess).
    std::optional<CodePage> likelierCodePage() const { return m_likelier; }
    LineBreakStyle lineBreakStyle() const { return m_lineBreaks; }

    FileFormat format() const override { return FileFormat::PlainText; }
    std::unique_ptr<DocumentCodec> clone() const override;
    QString lineBreak() const override;
    bool canEncode(QStringView text) const override;
    SaveStatus encode(QStringView text, FileFormat target, QByteArray &out) const override;

private:
    TextEncoding m_encoding;
    LineBreakStyle m_lineBreaks;
    std::optional<CodePage> m_likelier;
};
