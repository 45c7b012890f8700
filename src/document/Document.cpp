#include "document/Document.h"

#include "document/LineBreaks.h"
#include "document/PlainTextCodec.h"

#include <algorithm>

namespace {

std::span<const QChar> chars(QStringView text)
{
    return {text.data(), size_t(text.size())};
}

} // namespace

Document::Document() : m_codec(std::make_unique<PlainTextCodec>())
{
}

Document::Document(QString text)
    : m_codec(std::make_unique<PlainTextCodec>(TextEncoding::cp1251(), LineBreaks::detect(text)))
{
    m_text = GapBuffer<QString>(std::move(text));
}

Document::Document(QString text, std::unique_ptr<DocumentCodec> codec, bool binary)
    : m_text(std::move(text)), m_codec(std::move(codec)), m_binary(binary)
{
    if (!m_codec)
        m_codec = std::make_unique<PlainTextCodec>();
}

// A copy builds its own positions when asked.
Document::Document(const Document &other)
    : m_text(other.m_text)
    , m_codec(other.m_codec->clone())
    , m_sourcePath(other.m_sourcePath)
    , m_sourceStamp(other.m_sourceStamp)
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

Document::Document(Document &&) noexcept = default;
Document &Document::operator=(Document &&) noexcept = default;
Document::~Document() = default;

QString Document::mid(qsizetype pos, qsizetype count) const
{
    QString result;
    result.reserve(std::clamp<qsizetype>(count, 0, length()));
    m_text.appendTo(result, pos, count);
    return result;
}

DocumentView Document::view(qsizetype from) const
{
    from = std::clamp<qsizetype>(from, 0, length());
    if (from < m_text.gapPosition())
        m_text.moveGap(from);
    const std::span<const QChar> tail = m_text.after();
    return DocumentView(QStringView(tail.data(), qsizetype(tail.size())), m_text.gapPosition());
}

std::optional<TextEdit> Document::replace(qsizetype pos, qsizetype count, QStringView text)
{
    pos = std::clamp<qsizetype>(pos, 0, length());
    count = std::clamp<qsizetype>(count, 0, length() - pos);
    if (count == 0 && text.isEmpty())
        return TextEdit{pos, 0, {}};
    std::optional<TextEdit> made = m_codec->edit(pos, count, text);
    if (!made)
        return std::nullopt;
    m_text.replace(made->pos, made->removed, chars(made->text));
    if (m_positions) {
        const QChar before = made->pos > 0 ? m_text.at(made->pos - 1) : QChar();
        const QChar after = made->end() < length() ? m_text.at(made->end()) : QChar();
        m_positions->applyEdit(*made, before, after);
    }
    m_modified = true;
    return made;
}

const PositionMapper &Document::positions() const
{
    if (!m_positions) {
        const std::span<const QChar> before = m_text.before();
        const std::span<const QChar> after = m_text.after();
        m_positions
            = std::make_unique<PositionMapper>(QStringView(before.data(), qsizetype(before.size())),
                                               QStringView(after.data(), qsizetype(after.size())));
    }
    return *m_positions;
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
