#include "document/RichTextCodec.h"

#include "document/TextEncoding.h"
#include "rtf/RtfReader.h"

std::optional<DecodedText> RichTextCodec::load(const QByteArray &bytes)
{
    if (!RtfReader::looksLikeRtf(bytes))
        return std::nullopt;
    std::optional<RtfDocument> rtf = RtfDocument::fromRtf(bytes);
    if (!rtf)
        return std::nullopt;
    QString text = rtf->plainText();
    return DecodedText{std::move(text), std::make_unique<RichTextCodec>(std::move(*rtf))};
}

std::unique_ptr<DocumentCodec> RichTextCodec::clone() const
{
    return std::make_unique<RichTextCodec>(*this);
}

SaveStatus RichTextCodec::encode(QStringView text, FileFormat target, QByteArray &out) const
{
    out.clear();
    if (target == FileFormat::Rtf) {
        out = m_rtf.toRtf();
        return SaveStatus::Ok;
    }
    if (TextEncoding::cp1251().encode(text, out))
        return SaveStatus::Ok;
    out.clear();
    return TextEncoding::utf8(true).encode(text, out) ? SaveStatus::Ok : SaveStatus::NotEncodable;
}

std::optional<TextEdit> RichTextCodec::edit(qsizetype pos, qsizetype count, QStringView text)
{
    return m_rtf.replace(pos, count, text);
}

QList<FormattedRun> RichTextCodec::formattedRuns(qsizetype) const
{
    return m_rtf.formattedRuns();
}
