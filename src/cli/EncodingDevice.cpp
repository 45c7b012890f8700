#include "EncodingDevice.h"

EncodingDevice::EncodingDevice(QIODevice &target, const LocaleText &locale)
    : m_target(target), m_locale(locale)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 EncodingDevice::readData(char *data, qint64 maxSize)
{
    Q_UNUSED(data);
    Q_UNUSED(maxSize);
    return -1;
}

qint64 EncodingDevice::writeData(const char *data, qint64 size)
{
    const QString text = m_utf8(QByteArrayView(data, size));
    const QByteArray bytes = m_locale.encode(text);
    if (m_target.write(bytes) != bytes.size())
        return -1; // a closed pipe: the stream learns it as from the device itself
    return size;
}
