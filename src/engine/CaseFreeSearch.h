#pragma once

#include <QStringView>

#include <vector>

// A literal search without regard to case that gives exactly what QStringView::indexOf with
// Qt::CaseInsensitive gives, faster: the characters that fold to the needle's first one (two
// for most letters, three for "s" and "k") are found by the vectorised search for a single
// character, and only there is the needle compared, case folded. Needles that start with
// half of a surrogate pair, or whose first character many others fold to, are left to Qt.
class CaseFreeSearch {
public:
    static qsizetype indexOf(QStringView text, QStringView needle);

    // Every UTF-16 unit (no surrogate) that folds to what `unit` folds to, itself included;
    // empty when there are more than four. Valid until the thread asks for eight others.
    static const std::vector<char16_t> &variantsOf(char16_t unit);
};
