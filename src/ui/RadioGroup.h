#pragma once

#include <QList>

class QRadioButton;
class QWidget;

// A radio group: the radio buttons directly inside a widget (a group box), in the order they
// were made, and the index of the checked one.
class RadioGroup {
public:
    static QList<QRadioButton *> items(const QWidget *group);
    // -1 when none is checked.
    static int itemIndex(const QWidget *group);
    // Checks item `index`; an index outside the group changes nothing.
    static void setItemIndex(QWidget *group, int index);
    // Sets a radio button as a check box would be set: unchecking works even for the checked
    // button of an exclusive group, which then has none checked.
    static void setChecked(QRadioButton *button, bool checked);
};
