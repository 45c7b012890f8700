#include "ui/AccessibleNames.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QToolButton>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

// The property that marks a name this class gave, which a later call may replace.
const char *const Derived = "derivedAccessibleName";

QString stripMnemonic(QString text)
{
    text.replace(u"&&"_s, u"\x01"_s);
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text.trimmed();
}

void setDerivedName(QWidget *widget, const QString &name, bool replaceQts = false)
{
    if (name.isEmpty())
        return;
    if (!replaceQts && !widget->accessibleName().isEmpty() && !widget->property(Derived).toBool())
        return;
    widget->setAccessibleName(name);
    widget->setProperty(Derived, true);
}

bool captionSaysNothing(const QString &caption)
{
    return caption.size() <= 1 || caption == u"..."_s;
}

} // namespace

void AccessibleNames::apply(QWidget *form)
{
    for (QGroupBox *group : form->findChildren<QGroupBox *>())
        setDerivedName(group, stripMnemonic(group->title()));
    for (QLabel *label : form->findChildren<QLabel *>()) {
        if (QWidget *buddy = label->buddy())
            setDerivedName(buddy, stripMnemonic(label->text()));
    }
    for (QAbstractButton *button : form->findChildren<QAbstractButton *>()) {
        if (captionSaysNothing(stripMnemonic(button->text())))
            setDerivedName(button, button->toolTip());
    }
    for (QTabBar *tabs : form->findChildren<QTabBar *>()) {
        for (QToolButton *button : tabs->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
            if (button->objectName() == u"ScrollLeftButton")
                setDerivedName(button, QCoreApplication::translate("QTabBar", "Scroll Left"), true);
            else if (button->objectName() == u"ScrollRightButton")
                setDerivedName(button, QCoreApplication::translate("QTabBar", "Scroll Right"),
                               true);
        }
    }
}
