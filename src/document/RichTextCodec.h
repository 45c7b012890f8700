#pragma once

#include "document/DocumentCodec.h"
#include "rtf/RtfDocument.h"

#include <QByteArray>

// An RTF document: the text is edited in the RTF source itself, so everything outside the
// edited text (pictures, tables, fields, styles, unknown words) is written back byte for byte.
class RichTextCodec final : public DocumentCodec {
public:
    explicit RichTextCodec(RtfDocument rtf) : m_rtf(std::move(rtf)) { }

    // The text of the RTF in `bytes`; nothing when it is not RTF.
    static std::optional<DecodedText> load(const QByteArray &bytes);

    const RtfDocument &rtf() const { return m_rtf; }

    FileFormat format() const override { return FileFormat::Rtf; }
    std::unique_ptr<DocumentCodec> clone() const override;
    QString lineBreak() const override { return QStringView(u"\r\n").toString(); }
    // Any character can be written, as \uN when the code page lacks it.
    bool canEncode(QStringView) const override { return true; }
    // RTF for an .rtf name; otherwise the plain text, in code page 1251 when it fits and
    // UTF-8 with a byte-order mark when it does not.
    SaveStatus encode(QStringView text, FileFormat target, QByteArray &out) const override;
    std::optional<TextEdit> edit(qsizetype pos, qsizetype count, QStringView text) override;
    QList<FormattedRun> formattedRuns(qsizetype length) const override;

private:
    RtfDocument m_rtf;
};
