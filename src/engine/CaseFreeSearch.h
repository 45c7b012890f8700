#pragma once

#include <QStringView>

// A literal search without regard to case that gives exactly what QStringView::indexOf with
// Qt::CaseInsensitive gives, faster: the characters that fold to the needle's first one (two
// for most letters, three for "s" and "k") are found by the vectorised search for a single
// character, and only there is the needle compared, case folded. Needles that start with
// half of a surrogate pair, or whose first character many others fold to, are left to Qt.
class CaseFreeSearch {
public:
    static qsizetype indexOf(QStringView text, QStringView needle);
};
