#pragma once

#include "rtf/RtfToken.h"

// Splits an RTF source into tokens. Every byte belongs to exactly one token, so the spans of
// the tokens tile the source. Control word numbers saturate at the int range; \binN takes its
// N bytes (or what is left of the data) without looking at them.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView data) : m_data(data) { }

    RtfToken next();
    qsizetype position() const { return m_pos; }

    // Longest text run handed out at once; keeps span lengths comfortably inside 32 bits.
    static constexpr qsizetype MaxRun = qsizetype(1) << 20;

private:
    RtfToken escape(qsizetype begin);
    RtfToken controlWord(qsizetype begin);
    RtfToken hexByte(qsizetype begin);
    RtfToken run(qsizetype begin, RtfTokenType type, bool (*belongs)(uchar));
    void readNumber(RtfToken &token);
    void readBinary(RtfToken &token);
    uchar at(qsizetype i) const { return uchar(m_data[i]); }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
