#include "options/ProfileFile.h"

#include "document/Cp1251.h"
#include "io/AtomicFileWriter.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

bool isControl(QChar ch)
{
    // U+2028 and U+2029 break lines in some readers, so they count as control characters here.
    return ch.category() == QChar::Other_Control || ch == QChar::LineSeparator
        || ch == QChar::ParagraphSeparator;
}

bool isQuote(QChar ch)
{
    return ch == u'"' || ch == u'\'';
}

bool isComment(QStringView trimmed)
{
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// The name of a "[Section]" line, or nothing for any other line.
std::optional<QStringView> sectionName(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.sliced(1, close - 1).trimmed();
}

// The key of a "key=value" line, or nothing for any other line.
std::optional<QStringView> keyName(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || isComment(trimmed) || trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    const QStringView key = line.first(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return key;
}

QString unquoted(QStringView raw)
{
    const QStringView trimmed = raw.trimmed();
    if (trimmed.size() >= 2 && isQuote(trimmed.front()) && trimmed.front() == trimmed.back())
        return trimmed.sliced(1, trimmed.size() - 2).toString();
    return trimmed.toString();
}

std::optional<QString> decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

ProfileFile ProfileFile::fromBytes(const QByteArray &bytes)
{
    ProfileFile file;
    QString text;
    if (bytes.startsWith(Utf8Bom)) {
        file.m_encoding = Encoding::Utf8WithBom;
        text = QString::fromUtf8(bytes.sliced(Utf8Bom.size()));
    } else if (std::optional<QString> utf8 = decodeUtf8(bytes)) {
        text = *utf8;
    } else {
        file.m_encoding = Encoding::Cp1251;
        text = Cp1251::decode(bytes);
    }
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        qsizetype next = end;
        if (next < text.size())
            next += (text[next] == u'\r' && next + 1 < text.size() && text[next + 1] == u'\n') ? 2
                                                                                               : 1;
        file.m_lines.append({text.sliced(start, end - start), text.sliced(end, next - end)});
        if (file.m_lineEnding.isEmpty() && next > end)
            file.m_lineEnding = text.sliced(end, next - end);
        start = next;
    }
    return file;
}

bool ProfileFile::load(const QString &path)
{
    *this = ProfileFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    *this = fromBytes(bytes);
    return true;
}

bool ProfileFile::save(const QString &path, QString *error) const
{
    return AtomicFileWriter::write(path, toBytes(), error);
}

QByteArray ProfileFile::toBytes() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.text + line.eol;
    if (m_encoding == Encoding::Cp1251) {
        QByteArray bytes;
        if (Cp1251::encode(text, bytes))
            return bytes;
    }
    const QByteArray utf8 = text.toUtf8();
    return m_encoding == Encoding::Utf8WithBom ? Utf8Bom + utf8 : utf8;
}

std::optional<QString> ProfileFile::value(QStringView section, QStringView key) const
{
    const std::optional<Span> span = findSection(section);
    if (!span)
        return std::nullopt;
    const qsizetype at = findKey(*span, key);
    if (at < 0)
        return std::nullopt;
    const QString &line = m_lines[at].text;
    return unquoted(QStringView(line).sliced(line.indexOf(u'=') + 1));
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString cleanSection = withoutControlCharacters(section);
    const QString cleanKey = withoutControlCharacters(key);
    const QString text = quoted(value);
    std::optional<Span> span = findSection(cleanSection);
    if (!span) {
        if (!m_lines.isEmpty())
            appendLine(QString());
        appendLine(u'[' + cleanSection + u']');
        appendLine(cleanKey + u'=' + text);
        return;
    }
    const qsizetype at = findKey(*span, cleanKey);
    if (at < 0) {
        insertLine(span->lastKey + 1, cleanKey + u'=' + text);
        return;
    }
    QString &line = m_lines[at].text;
    qsizetype valueStart = line.indexOf(u'=') + 1;
    if (unquoted(QStringView(line).sliced(valueStart)) == unquoted(text))
        return;
    while (valueStart < line.size() && (line[valueStart] == u' ' || line[valueStart] == u'\t'))
        ++valueStart;
    line = line.first(valueStart) + text;
}

QString ProfileFile::quoted(const QString &value)
{
    const QString clean = withoutControlCharacters(value);
    if (clean.isEmpty())
        return clean;
    const bool wouldLoseQuotes
        = clean.size() >= 2 && isQuote(clean.front()) && clean.front() == clean.back();
    const bool wouldLoseBlanks = clean.front().isSpace() || clean.back().isSpace();
    return wouldLoseQuotes || wouldLoseBlanks ? u'"' + clean + u'"' : clean;
}

QString ProfileFile::withoutControlCharacters(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar ch : text) {
        if (!isControl(ch))
            clean.append(ch);
    }
    return clean;
}

std::optional<ProfileFile::Span> ProfileFile::findSection(QStringView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QStringView> name = sectionName(m_lines[i].text);
        if (!name || name->compare(section, Qt::CaseInsensitive) != 0)
            continue;
        Span span{i, i};
        const qsizetype end = sectionEnd(i);
        for (qsizetype k = i + 1; k < end; ++k) {
            if (keyName(m_lines[k].text))
                span.lastKey = k;
        }
        return span;
    }
    return std::nullopt;
}

qsizetype ProfileFile::findKey(const Span &span, QStringView key) const
{
    for (qsizetype k = span.header + 1; k <= span.lastKey; ++k) {
        const std::optional<QStringView> name = keyName(m_lines[k].text);
        if (name && name->compare(key, Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype header) const
{
    qsizetype end = header + 1;
    while (end < m_lines.size() && !sectionName(m_lines[end].text))
        ++end;
    return end;
}

QString ProfileFile::newLineEnding() const
{
    return m_lineEnding.isEmpty() ? u"\n"_s : m_lineEnding;
}

void ProfileFile::insertLine(qsizetype at, const QString &text)
{
    // The line before may be the file's last line, without a line ending of its own.
    if (at > 0 && m_lines[at - 1].eol.isEmpty())
        m_lines[at - 1].eol = newLineEnding();
    m_lines.insert(at, {text, newLineEnding()});
}

void ProfileFile::appendLine(const QString &text)
{
    insertLine(m_lines.size(), text);
}
