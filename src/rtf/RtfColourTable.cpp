#include "rtf/RtfColourTable.h"

void RtfColourTable::endEntry()
{
    // The cap keeps a hostile table from growing without end; real tables are small.
    if (m_entries.size() < 65536) {
        if (m_set)
            m_entries.append(0xFF000000u | quint32(m_red) << 16 | quint32(m_green) << 8
                             | quint32(m_blue));
        else
            m_entries.append(std::nullopt);
    }
    m_red = m_green = m_blue = 0;
    m_set = false;
}

std::optional<quint32> RtfColourTable::colour(int index) const
{
    if (index < 0 || index >= m_entries.size())
        return std::nullopt;
    return m_entries.at(index);
}
