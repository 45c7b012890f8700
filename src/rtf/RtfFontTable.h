#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class RtfCodePages;

// The fonts of \fonttbl: their names and the code page their \fcharset or \cpg selects.
// Entries are built while the table is read, one \fN at a time.
class RtfFontTable {
public:
    void begin(int font);
    void setCharset(int charset);
    void setCodePage(int codePage);
    void appendToName(char byte);
    void endName();

    // The code page for \'hh escapes in `font`.
    int codePageOf(int font, int documentCodePage) const;
    QString nameOf(int font, int documentCodePage, RtfCodePages &pages) const;

private:
    struct Font {
        QByteArray name;
        int charset = -1;
        int codePage = 0;
        bool nameDone = false;
    };

    QHash<int, Font> m_fonts;
    int m_current = -1;
};
