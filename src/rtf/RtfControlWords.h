#pragma once

#include <QByteArrayView>

// What the reader does with a control word.
enum class RtfWordKind : quint8 {
    Other, // formatting or layout the plain text does not depend on
    SkipGroup, // a destination whose content is not shown
    ShownDestination, // a destination whose content is shown (a field's result)
    FontTable,
    ColourTable,
    Character, // shows `ch`
    Break, // ends a line: CR LF
    CellBreak, // ends a table cell: CR LF that an edit never removes
    Unicode, // \uN
    UnicodeSkip, // \ucN
    AnsiCodePage, // \ansicpgN
    CharacterSet, // \ansi \mac \pc \pca: `ch` holds the code page they imply
    DefaultFont,
    Font,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    FontSize,
    Colour,
    ParagraphDefault,
    Align, // `ch` holds the TextAlignment
};

struct RtfWordInfo {
    RtfWordKind kind = RtfWordKind::Other;
    char16_t ch = 0;
};

// The control words the reader knows, looked up by name (case matters in RTF).
class RtfControlWords {
public:
    static RtfWordInfo lookup(QByteArrayView name);
};
