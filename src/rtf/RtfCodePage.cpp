#include "rtf/RtfCodePage.h"

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isDoubleByteNumber(int number)
{
    return number == 932 || number == 936 || number == 949 || number == 950;
}

} // namespace

RtfCodePage::RtfCodePage(int number)
    : m_number(isSupported(number) ? number : 1252)
    , m_doubleByte(isDoubleByteNumber(m_number))
    , m_decoder(nameOf(m_number).constData(), QStringConverter::Flag::Stateless)
    , m_encoder(nameOf(m_number).constData(), QStringConverter::Flag::Stateless)
{
    buildTable();
}

QByteArray RtfCodePage::nameOf(int number)
{
    switch (number) {
    case 437:
    case 737:
    case 775:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
        return QByteArray("IBM") + QByteArray::number(number);
    case 10000:
        return "macintosh";
    default:
        return QByteArray("windows-") + QByteArray::number(number);
    }
}

bool RtfCodePage::isSupported(int number)
{
    if (number <= 0 || number > 65535)
        return false;
    return QStringDecoder(nameOf(number).constData()).isValid();
}

void RtfCodePage::buildTable()
{
    for (int byte = 0; byte < 256; ++byte) {
        m_table[byte] = char16_t(byte);
        if (byte < 0x80)
            continue;
        const char raw = char(byte);
        const QString decoded = m_decoder.decode(QByteArrayView(&raw, 1));
        m_table[byte] = decoded.size() == 1 ? decoded.at(0).unicode() : Replacement;
        if (!m_doubleByte && decoded.size() == 1 && !m_reverse.contains(m_table[byte]))
            m_reverse.insert(m_table[byte], uchar(byte));
    }
}

bool RtfCodePage::isLeadByte(uchar byte) const
{
    if (!m_doubleByte)
        return false;
    if (m_number == 932)
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return byte >= 0x81 && byte <= 0xFE;
}

QString RtfCodePage::decodePair(uchar lead, uchar trail)
{
    const char raw[2] = {char(lead), char(trail)};
    QString decoded = m_decoder.decode(QByteArrayView(raw, 2));
    if (decoded.isEmpty())
        decoded = QString(QChar(Replacement));
    return decoded;
}

QByteArray RtfCodePage::encode(char16_t ch)
{
    if (ch < 0x80)
        return QByteArray(1, char(ch));
    if (QChar::isSurrogate(ch))
        return {};
    if (!m_doubleByte) {
        const auto it = m_reverse.constFind(ch);
        return it == m_reverse.constEnd() ? QByteArray() : QByteArray(1, char(*it));
    }
    const auto it = m_encoded.constFind(ch);
    if (it != m_encoded.constEnd())
        return *it;
    const QByteArray bytes = encodeDoubleByte(ch);
    m_encoded.insert(ch, bytes);
    return bytes;
}

// Accepted only when reading the bytes back gives the character again, so that what is
// written is what the reader will show.
QByteArray RtfCodePage::encodeDoubleByte(char16_t ch)
{
    const QChar one(ch);
    m_encoder.resetState();
    QByteArray bytes = m_encoder.encode(QStringView(&one, 1));
    if (m_encoder.hasError() || bytes.isEmpty() || bytes.size() > 2)
        return {};
    const uchar first = uchar(bytes.at(0));
    if (bytes.size() == 1)
        return !isLeadByte(first) && m_table[first] == ch ? bytes : QByteArray();
    if (!isLeadByte(first) || decodePair(first, uchar(bytes.at(1))) != QString(one))
        return {};
    return bytes;
}

int RtfCodePage::forCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 0:
    case 2:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return documentCodePage;
    }
}
