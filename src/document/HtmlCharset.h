#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

// The character set an HTML file declares for itself in a <meta> tag, read as a browser's
// prescan reads it: comments and other tags' attributes are skipped, and white space is
// HTML's (space, tab, LF, FF, CR; a vertical tab is not one). Every path that looks at a
// declaration reads it here.
class HtmlCharset {
public:
    // How much of the start of a file is looked at for the declaration.
    static constexpr qsizetype kHeadSize = 4096;

    struct Declaration {
        // The charset named, lower case, without surrounding white space; empty for none.
        QByteArray charset;
        // No declaration was read, yet the head holds the word "charset": something that may
        // be meant as one (a vertical tab by "=", a cut tag) is not, by HTML's rules.
        bool doubtful = false;
    };

    // True for the names of HTML files: .htm, .html, .shtm, .shtml in any case.
    static bool isHtmlName(QStringView fileName);
    // HTML's white space.
    static bool isSpace(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
    }
    // The first <meta charset=...> or
    // <meta http-equiv="Content-Type" content="...; charset=..."> among the first
    // kHeadSize bytes of `bytes`.
    static Declaration read(QByteArrayView bytes);
    // The charset of read(); empty when there is none.
    static QByteArray declared(QByteArrayView bytes) { return read(bytes).charset; }
};
