#include "engine/PlainTextCodec.h"

#include "engine/RtfWriter.h"

#include "engine/Document.h"
#include "engine/EncodingSniffer.h"

PlainTextCodec::PlainTextCodec(TextEncoding encoding, LineBreakStyle lineBreaks)
    : m_encoding(std::move(encoding)), m_lineBreaks(lineBreaks)
{
}

LoadStatus PlainTextCodec::load(QByteArrayView bytes, QStringView fileName, Document &doc)
{
    EncodingSniffer::Result decoded = EncodingSniffer::decode(bytes, fileName);
    const LineBreakStyle style = LineBreaks::detect(decoded.text);
    doc.reset(std::move(decoded.text), std::make_unique<PlainTextCodec>(decoded.encoding, style),
              decoded.binary);
    return decoded.binary ? LoadStatus::Binary : LoadStatus::Loaded;
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
