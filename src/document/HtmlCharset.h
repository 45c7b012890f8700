#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

// The character set an HTML file declares for itself in a <meta> tag.
class HtmlCharset {
public:
    // How much of the start of a file is looked at for the declaration.
    static constexpr qsizetype kHeadSize = 4096;

    // True for the names of HTML files: .htm, .html, .shtm, .shtml in any case.
    static bool isHtmlName(QStringView fileName);
    // The charset named by the first <meta charset=...> or
    // <meta http-equiv="Content-Type" content="...; charset=..."> among the first
    // kHeadSize bytes of `bytes`; empty when there is none.
    static QByteArray declared(QByteArrayView bytes);
    // Whether `head` holds "<meta" in any letter case.
    static bool mentionsMeta(QByteArrayView head);
};
