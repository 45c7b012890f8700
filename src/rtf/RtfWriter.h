#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// Writes plain text as a small RTF document in code page 1251: a font table with one font,
// then the text with \par between lines. Reading the result gives the text back exactly, line
// breaks as CR LF.
class RtfWriter {
public:
    struct Font {
        QString name = QStringView(u"Courier New").toString();
        int pointSize = 10;
    };

    // Line breaks in `text` may be CR LF, LF or CR.
    static QByteArray fromPlainText(QStringView text, const Font &font);
    static QByteArray fromPlainText(QStringView text) { return fromPlainText(text, Font{}); }
    static QByteArray fromLines(const QStringList &lines, const Font &font);
    static QByteArray fromLines(const QStringList &lines) { return fromLines(lines, Font{}); }

private:
    static QByteArray fontName(const QString &name);
};
