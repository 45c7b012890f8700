#include "ui/FormTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QVariant>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The form an object belongs to: its window, where a popup menu counts as part of the window
// that owns it.
const QWidget *formOf(const QObject *object)
{
    for (; object; object = object->parent()) {
        const auto *widget = qobject_cast<const QWidget *>(object);
        if (widget && widget->isWindow() && !qobject_cast<const QMenu *>(widget))
            return widget;
    }
    return nullptr;
}

bool named(const QObject *object)
{
    const QString name = object->objectName();
    return !name.isEmpty() && !name.startsWith(u"qt_"_s);
}

void addWidgetTexts(const QWidget *widget, QMap<QString, QString> &texts)
{
    const QString name = widget->objectName();
    if (!widget->toolTip().isEmpty())
        texts.insert(name + u".toolTip"_s, widget->toolTip());
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        texts.insert(name + u".text"_s, button->text());
    else if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        texts.insert(name + u".title"_s, group->title());
    else if (const auto *label = qobject_cast<const QLabel *>(widget))
        texts.insert(name + u".text"_s, label->text());
    else if (const auto *menu = qobject_cast<const QMenu *>(widget))
        texts.insert(name + u".title"_s, menu->title());
    else if (const auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts.insert(name + u".tab"_s + QString::number(i), tabs->tabText(i));
    }
    for (const QByteArray &property : widget->dynamicPropertyNames()) {
        const QVariant value = widget->property(property.constData());
        if (value.typeId() == QMetaType::QString)
            texts.insert(name + u'.' + QString::fromLatin1(property), value.toString());
    }
}

} // namespace

QMap<QString, QString> FormTexts::of(const QWidget *form)
{
    QMap<QString, QString> texts;
    texts.insert(form->objectName() + u".windowTitle"_s, form->windowTitle());
    for (const QWidget *widget : form->findChildren<QWidget *>()) {
        const bool menu = qobject_cast<const QMenu *>(widget);
        if (formOf(menu ? widget->parent() : widget) != form)
            continue;
        if (named(widget) && widget->objectName() != u"DirLabel")
            addWidgetTexts(widget, texts);
    }
    for (const QAction *action : form->findChildren<QAction *>()) {
        if (named(action) && formOf(action) == form && !action->isSeparator())
            texts.insert(action->objectName() + u".action"_s, action->text());
    }
    return texts;
}

bool FormTexts::hasCyrillic(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar ch) { return ch.unicode() >= 0x400 && ch.unicode() <= 0x52f; });
}
