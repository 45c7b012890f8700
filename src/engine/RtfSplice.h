#pragma once

#include "engine/RtfEscaper.h"
#include "engine/RtfTextUnit.h"

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
    // position `plainBegin`; `leftUnit` holds the flags of a text unit ending right there.
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
    // Whether a group was added, which needs one level of nesting to spare.
    bool addsGroup() const { return m_addsGroup; }

private:
    qsizetype append(QByteArrayView piece, std::optional<quint8> pieceUnit);
    void separate(int right);

    QByteArrayView m_left;
    qsizetype m_sourceBegin;
    qsizetype m_plainBegin;
    // What ends the bytes so far: the flags of a text unit, or nothing for non-text bytes.
    std::optional<quint8> m_lastUnit;
    QByteArray m_bytes;
    QString m_plain;
    std::vector<RtfTextUnit> m_units;
    bool m_addsGroup = false;
};
