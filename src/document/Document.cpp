#include "document/Document.h"

#include "document/LineBreaks.h"
#include "document/PlainTextCodec.h"

#include <algorithm>

Document::Document() : m_codec(std::make_unique<PlainTextCodec>())
{
}

Document::Document(QString text)
    : m_codec(std::make_unique<PlainTextCodec>(TextEncoding::cp1251(), LineBreaks::detect(text)))
{
    m_text = GapBuffer(std::move(text));
}

Document::Document(QString text, std::unique_ptr<DocumentCodec> codec, bool binary)
    : m_text(std::move(text)), m_codec(std::move(codec)), m_binary(binary)
{
    if (!m_codec)
        m_codec = std::make_unique<PlainTextCodec>();
}

Document::Document(const Document &other)
    : m_text(other.m_text)
    , m_codec(other.m_codec->clone())
    , m_modified(other.m_modified)
    , m_binary(other.m_binary)
{
}

Document &Document::operator=(const Document &other)
{
    if (this != &other)
        *this = Document(other);
    return *this;
}

Document::~Document() = default;

std::optional<TextEdit> Document::replace(qsizetype pos, qsizetype count, QStringView text)
{
    pos = std::clamp<qsizetype>(pos, 0, length());
    count = std::clamp<qsizetype>(count, 0, length() - pos);
    if (count == 0 && text.isEmpty())
        return TextEdit{pos, 0, 0};
    const std::optional<TextEdit> made = m_codec->edit(pos, count, text);
    if (!made)
        return std::nullopt;
    if (made->pos == pos && made->removed == count && made->inserted == text.size())
        m_text.replace(pos, count, text);
    else
        m_text.replace(made->pos, made->removed, m_codec->editedText(*made));
    m_modified = true;
    return made;
}

QString Document::lineBreak() const
{
    return m_codec->lineBreak();
}

QString Document::toDocumentLineBreaks(QStringView text) const
{
    return LineBreaks::translate(text, lineBreak());
}

bool Document::canEncode(QStringView text) const
{
    return m_codec->canEncode(text);
}

const PlainTextCodec *Document::plainText() const
{
    return dynamic_cast<const PlainTextCodec *>(m_codec.get());
}
