#pragma once

#include <QStringView>

// Finds a literal in UTF-16 text, with or without regard to case, exactly as
// QStringView::indexOf does, faster where the processor has AVX2: sixteen places at a time are
// kept only when their first and last unit could start and end the needle (the units that fold
// to the needle's own ones when case is ignored), and only those are compared in full.
// Needles that begin or end in half of a surrogate pair, or with a unit many others fold to,
// go to CaseFreeSearch or Qt.
class LiteralSearch {
public:
    static qsizetype indexOf(QStringView text, QStringView needle, bool matchCase);
};
