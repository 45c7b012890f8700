#pragma once

#include "rtf/RtfEscaper.h"
#include "rtf/RtfTextUnit.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

// Builds the bytes that take the place of an edited source region: the new text followed by
// the non-text bytes and kept cell ends of the region, joined with whatever separators RtfSeam
// asks for. Units come out with their absolute positions after the edit.
class RtfSplice {
public:
    // `left` is the source before the region, which starts at `sourceBegin` and at plain
    // position `plainBegin`, from the end of the last \bin data on; `leftUnit` holds the flags
    // of a text unit ending right there.
    RtfSplice(QByteArrayView left, qsizetype sourceBegin, qsizetype plainBegin,
              std::optional<quint8> leftUnit);

    void addText(const RtfEscapedText &text);
    void addKept(QByteArrayView bytes);
    void addKeptUnit(QByteArrayView bytes, RtfTextUnit unit, QStringView chars);
    // Joins the end to the source after the region, whose first byte is `right` (-1: none).
    void close(int right);

    const QByteArray &bytes() const { return m_bytes; }
    const QString &plain() const { return m_plain; }
    const std::vector<RtfTextUnit> &units() const { return m_units; }
    // Where the \bin data in the bytes ends, as positions after the edit.
    const std::vector<qsizetype> &binaryEnds() const { return m_binaryEnds; }
    // Whether a group was added, which needs one level of nesting to spare.
    bool addsGroup() const { return m_addsGroup; }

private:
    qsizetype append(QByteArrayView piece, std::optional<quint8> pieceUnit);
    void separate(int right);

    // The bytes before the seam that can be read back as tokens: m_left, then m_bytes from
    // m_tokensFrom on. Data of \bin in the bytes clears m_left and moves m_tokensFrom.
    QByteArrayView m_left;
    qsizetype m_tokensFrom = 0;
    qsizetype m_sourceBegin;
    qsizetype m_plainBegin;
    // What ends the bytes so far: the flags of a text unit, or nothing for non-text bytes.
    std::optional<quint8> m_lastUnit;
    QByteArray m_bytes;
    QString m_plain;
    std::vector<RtfTextUnit> m_units;
    std::vector<qsizetype> m_binaryEnds;
    bool m_addsGroup = false;
};
