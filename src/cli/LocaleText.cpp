#include "LocaleText.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_UNIX
#include <langinfo.h>
#endif

namespace {

bool namesUtf8(const QByteArray &codec)
{
    const QByteArray name = codec.toUpper();
    // Plain ASCII (the C locale) is read as UTF-8, as Qt reads it.
    return name.isEmpty() || name == "UTF-8" || name == "UTF8" || name == "ANSI_X3.4-1968"
        || name == "ASCII" || name == "US-ASCII";
}

std::optional<QString> decodeStrictly(QStringDecoder &decoder, QByteArrayView bytes)
{
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

LocaleText::LocaleText(const QByteArray &codec) : m_name(codec)
{
    m_utf8 = namesUtf8(codec) || !QStringDecoder(codec.constData()).isValid();
    if (m_utf8)
        m_name = "UTF-8";
}

QByteArray LocaleText::codecOfLocale()
{
#ifdef Q_OS_UNIX
    return QByteArray(nl_langinfo(CODESET));
#else
    return {};
#endif
}

std::optional<QString> LocaleText::decode(QByteArrayView bytes) const
{
    if (m_utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return decodeStrictly(utf8, bytes);
    }
    QStringDecoder decoder(m_name.constData(), QStringDecoder::Flag::Stateless);
    return decodeStrictly(decoder, bytes);
}

QByteArray LocaleText::encode(QStringView text) const
{
    if (m_utf8)
        return text.toUtf8();
    QStringEncoder encoder(m_name.constData(), QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder(text);
    if (!encoder.hasError())
        return bytes;
    // Again one character at a time, so that only those the set cannot hold become "?".
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder one(m_name.constData(), QStringEncoder::Flag::Stateless);
        const QByteArray piece = one(text.sliced(i, width));
        bytes += one.hasError() ? QByteArray("?") : piece;
        i += width;
    }
    return bytes;
}

std::optional<QString> LocaleText::fileName(const QString &typed) const
{
    if (m_utf8)
        return typed;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return decodeStrictly(utf8, encode(typed));
}
