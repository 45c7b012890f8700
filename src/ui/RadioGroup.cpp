#include "ui/RadioGroup.h"

#include <QRadioButton>

QList<QRadioButton *> RadioGroup::items(const QWidget *group)
{
    return group->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
}

int RadioGroup::itemIndex(const QWidget *group)
{
    const QList<QRadioButton *> buttons = items(group);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            return int(i);
    }
    return -1;
}

void RadioGroup::setItemIndex(QWidget *group, int index)
{
    const QList<QRadioButton *> buttons = items(group);
    if (index >= 0 && index < buttons.size())
        buttons[index]->setChecked(true);
}

void RadioGroup::setChecked(QRadioButton *button, bool checked)
{
    if (checked || !button->isChecked() || !button->autoExclusive()) {
        button->setChecked(checked);
        return;
    }
    // An exclusive group never lets its checked button go by itself.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}
