#include "document/CodePage.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

std::optional<CodePage> CodePages::fromIndex(int index)
{
    if (index < 0 || index >= Count)
        return std::nullopt;
    return CodePage(index);
}

std::optional<CodePage> CodePages::fromName(QStringView name)
{
    static constexpr std::array<std::pair<QStringView, CodePage>, 12> Names{{
        {u"cp1251", CodePage::Cp1251},
        {u"1251", CodePage::Cp1251},
        {u"windows-1251", CodePage::Cp1251},
        {u"cp866", CodePage::Cp866},
        {u"866", CodePage::Cp866},
        {u"ibm866", CodePage::Cp866},
        {u"dos", CodePage::Cp866},
        {u"koi8-r", CodePage::Koi8R},
        {u"koi8r", CodePage::Koi8R},
        {u"iso-8859-5", CodePage::Iso8859_5},
        {u"iso8859-5", CodePage::Iso8859_5},
        {u"iso", CodePage::Iso8859_5},
    }};
    const QStringView wanted = name.trimmed();
    for (const auto &[known, page] : Names) {
        if (wanted.compare(known, Qt::CaseInsensitive) == 0)
            return page;
    }
    return std::nullopt;
}

QByteArray CodePages::name(CodePage page)
{
    switch (page) {
    case CodePage::Cp1251:
        break;
    case CodePage::Cp866:
        return QByteArrayLiteral("IBM866");
    case CodePage::Koi8R:
        return QByteArrayLiteral("KOI8-R");
    case CodePage::Iso8859_5:
        return QByteArrayLiteral("ISO-8859-5");
    }
    return QByteArrayLiteral("windows-1251");
}
