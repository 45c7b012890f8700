#pragma once

#include "rtf/RtfSink.h"
#include "rtf/RtfTextUnit.h"

#include <QString>

#include <vector>

// Collects the plain text of a source and the units that map it back to the source bytes.
// Adjacent literal runs are merged into one unit.
class RtfTextMapBuilder : public RtfSink {
public:
    void text(const RtfTextEvent &event) override;

    QString &plainText() { return m_plain; }
    std::vector<RtfTextUnit> &units() { return m_units; }

private:
    bool extendsLast(const RtfTextEvent &event) const;

    QString m_plain;
    std::vector<RtfTextUnit> m_units;
};
