#include "document/PlainTextCodec.h"

#include "rtf/RtfWriter.h"

#include "document/EncodingSniffer.h"

PlainTextCodec::PlainTextCodec(TextEncoding encoding, LineBreakStyle lineBreaks,
                               std::optional<CodePage> likelier)
    : m_encoding(std::move(encoding)), m_lineBreaks(lineBreaks), m_likelier(likelier)
{
}

DecodedText PlainTextCodec::load(QByteArrayView bytes, QStringView fileName, CodePage codePage)
{
    EncodingSniffer::Result decoded = EncodingSniffer::decode(bytes, fileName, codePage);
    const LineBreakStyle style = LineBreaks::detect(decoded.text);
    auto codec = std::make_unique<PlainTextCodec>(decoded.encoding, style, decoded.likelier);
    return {std::move(decoded.text), std::move(codec), decoded.binary};
}

std::unique_ptr<DocumentCodec> PlainTextCodec::clone() const
{
    return std::make_unique<PlainTextCodec>(*this);
}

QString PlainTextCodec::lineBreak() const
{
    return LineBreaks::sequence(m_lineBreaks);
}

bool PlainTextCodec::canEncode(QStringView text) const
{
    return m_encoding.canEncode(text);
}

SaveStatus PlainTextCodec::encode(QStringView text, FileFormat target, QByteArray &out) const
{
    out.clear();
    if (target == FileFormat::Rtf) {
        // A plain-text document saved under an .rtf name becomes a small RTF document.
        out = RtfWriter::fromPlainText(text);
        return SaveStatus::Ok;
    }
    return m_encoding.encode(text, out) ? SaveStatus::Ok : SaveStatus::NotEncodable;
}
