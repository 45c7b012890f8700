#pragma once

#include "LocaleText.h"

#include <QIODevice>
#include <QStringDecoder>

// A write-only device in front of another that turns the UTF-8 a QTextStream writes into the
// locale's character set, so that the terminal shows messages in the set it expects.
class EncodingDevice : public QIODevice {
public:
    EncodingDevice(QIODevice &target, const LocaleText &locale);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_target;
    LocaleText m_locale;
    QStringDecoder m_utf8{QStringDecoder::Utf8}; // a character may be cut between two writes
};
