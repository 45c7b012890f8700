#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bytes of a saved report: its lines as text or as an RTF document.
class ReportFileWriter {
public:
    // Lines ending in CR LF, in code page 1251 when every character fits, else in UTF-8 with
    // a byte-order mark (file names may hold characters the code page lacks). No lines: no
    // bytes.
    static QByteArray toText(const QStringList &lines);
    // An RTF document with one paragraph per line, in the font `family` at `pointSize`, which
    // is the font the report is shown in.
    static QByteArray toRtf(const QStringList &lines, const QString &family, qreal pointSize);

private:
    static QByteArray escape(QStringView text);
};
