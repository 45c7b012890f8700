#include "engine/DocumentView.h"

#include <algorithm>

QStringView DocumentView::from(qsizetype pos) const
{
    const qsizetype offset = std::max<qsizetype>(pos - m_base, 0);
    if (offset >= m_tail.size())
        return {};
    return m_tail.sliced(offset);
}

QStringView DocumentView::mid(qsizetype pos, qsizetype count) const
{
    if (count <= 0)
        return {};
    const QStringView rest = from(pos);
    return rest.first(std::min(count, rest.size()));
}
