#pragma once

#include <QMap>
#include <QString>

class QWidget;

// The texts a form shows, as the tests of the language switch compare them.
class FormTexts {
public:
    // Every text `form` shows, keyed by where it is shown ("OkB.text", "OperationPC.tab0",
    // "StopB.toolTip", "N1.title", "ExitProg.action", ...): its own controls, actions and menus,
    // not those of other windows. The data a form holds are not its texts: edit boxes, lists,
    // documents and the folder label DirLabel.
    static QMap<QString, QString> of(const QWidget *form);
    static bool hasCyrillic(const QString &text);
};
