#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The translatable texts of a Qt Designer form (.ui file), with the translation id each one
// carries ("TOptionsF.OkB.Caption"). Texts marked notr="true" and empty texts are not
// translated and are left out.
class UiTextReader {
public:
    struct Text {
        QString id; // empty when the text has none: a fault the caller reports
        QString text;
        qint64 line = 0;
    };
    struct Form {
        QString file;
        // The root element asks uic for id-based translation (idbasedtr="true"); without it,
        // uic would look the texts up by their Russian source text instead of their ids.
        bool idBased = false;
        QList<Text> texts;
        QString error; // the file could not be read or parsed
    };

    static Form read(const QString &path);
};
