#include "rtf/RtfCodePages.h"

RtfCodePage &RtfCodePages::page(int number)
{
    const auto known = m_byNumber.find(number);
    if (known != m_byNumber.end())
        return *known->second;
    // The refusal is remembered too, so a file full of odd numbers asks the platform once each.
    const int used = RtfCodePage::isSupported(number) ? number : 1252;
    auto owned = m_owned.find(used);
    if (owned == m_owned.end())
        owned = m_owned.emplace(used, std::make_unique<RtfCodePage>(used)).first;
    m_byNumber.emplace(number, owned->second.get());
    return *owned->second;
}
