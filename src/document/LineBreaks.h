#pragma once

#include <QString>
#include <QStringView>

// The kind of line break a text uses. None and Mixed behave as CrLf.
enum class LineBreakStyle { None, CrLf, Lf, Cr, Mixed };

// Line breaks are kept as a file has them; patterns are typed with CR LF breaks and are
// translated to the style of the document they are used on.
class LineBreaks {
public:
    static LineBreakStyle detect(QStringView text);
    // The break a text of that style uses: CR LF, LF or CR.
    static QString sequence(LineBreakStyle style);
    // `text` with every CR LF pair replaced by `lineBreak`.
    static QString translate(QStringView text, QStringView lineBreak);
};
