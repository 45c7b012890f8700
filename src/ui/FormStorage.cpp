#include "ui/FormStorage.h"

#include "options/FormSettings.h"
#include "ui/RadioGroup.h"
#include "ui/WindowFit.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// How much of a window must lie on a screen for the user to reach it.
constexpr int MinimumVisibleWidth = 40;
constexpr int MinimumVisibleHeight = 20;

bool reachable(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.cbegin(), screens.cend(), [&rect](const QScreen *screen) {
        const QRect visible = rect.intersected(screen->availableGeometry());
        return visible.width() >= std::min(rect.width(), MinimumVisibleWidth)
            && visible.height() >= std::min(rect.height(), MinimumVisibleHeight)
            && !visible.isEmpty();
    });
}

// Where the window is, or, before it was ever placed, where it will appear: centred on the
// primary screen.
QRect placedGeometry(QWidget *form)
{
    if (form->isVisible())
        return form->normalGeometry();
    if (form->testAttribute(Qt::WA_Moved))
        return form->geometry();
    if (QLayout *layout = form->layout())
        layout->activate();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return form->geometry();
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, form->size(),
                               screen->availableGeometry());
}

QString booleanText(bool value)
{
    return FormSettings::booleanText(value);
}

} // namespace

FormStorage::FormStorage(QWidget *form, const QString &section, const QList<StoredProp> &items,
                         Kind kind)
    : m_form(form), m_section(section), m_items(items), m_kind(kind)
{
}

void FormStorage::save(ProfileFile &file) const
{
    FormSettings::save(file, m_section, m_items, *this, screenSize());
}

void FormStorage::restore(const ProfileFile &file)
{
    FormSettings::restore(file, m_section, m_items, *this, screenSize());
}

QSize FormStorage::screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

WindowPlacement FormStorage::placement() const
{
    WindowPlacement placement;
    const Qt::WindowStates state = m_form->windowState();
    if (state & Qt::WindowMinimized)
        placement.showCmd = WindowPlacement::Minimized;
    else if (state & Qt::WindowMaximized)
        placement.showCmd = WindowPlacement::Maximized;
    if (const QScreen *screen = m_form->screen())
        placement.pixelsPerInch = qRound(screen->logicalDotsPerInch());
    const QRect rect = placedGeometry(m_form);
    placement.normPos
        = {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    return placement;
}

bool FormStorage::resizable() const
{
    return m_kind == Kind::MainWindow;
}

void FormStorage::setNormalRect(const WindowPlacement::Rect &rect)
{
    const QRect wanted(rect.left, rect.top, rect.width(), rect.height());
    // A rectangle with no area, or one the user could not reach, leaves the window centred.
    if (wanted.width() <= 0 || wanted.height() <= 0 || !reachable(wanted))
        return;
    m_form->setGeometry(wanted);
    // A dialog's size follows the language of its texts: its place is its centre.
    if (m_kind == Kind::Dialog)
        WindowFit::setStoredCentre(m_form, wanted.center());
}

void FormStorage::setShowCmd(WindowPlacement::ShowCmd showCmd)
{
    Qt::WindowStates state = m_form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    // A dialog shown minimized or maximized would only be in the user's way.
    if (m_kind == Kind::MainWindow && showCmd == WindowPlacement::Minimized)
        state |= Qt::WindowMinimized;
    else if (m_kind == Kind::MainWindow && showCmd == WindowPlacement::Maximized)
        state |= Qt::WindowMaximized;
    if (state != m_form->windowState())
        m_form->setWindowState(state);
}

std::optional<QString> FormStorage::storedValue(const StoredProp &item) const
{
    const QWidget *widget = m_form->findChild<QWidget *>(item.component);
    if (!widget)
        return std::nullopt;
    if (item.property == u"Checked") {
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            return booleanText(button->isChecked());
    } else if (item.property == u"ItemIndex") {
        return QString::number(RadioGroup::itemIndex(widget));
    } else if (item.property == u"Text") {
        if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
            return edit->text();
    } else if (item.property == u"Caption") {
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            return label->text();
    } else if (item.property == u"Value") {
        if (const auto *spin = qobject_cast<const QSpinBox *>(widget))
            return QString::number(spin->value());
    }
    return std::nullopt;
}

void FormStorage::setStoredValue(const StoredProp &item, const QString &value)
{
    QWidget *widget = m_form->findChild<QWidget *>(item.component);
    if (!widget)
        return;
    if (item.property == u"Checked") {
        const bool checked = value == u"True";
        if (auto *radio = qobject_cast<QRadioButton *>(widget))
            RadioGroup::setChecked(radio, checked);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setChecked(checked);
    } else if (item.property == u"ItemIndex") {
        RadioGroup::setItemIndex(widget, value.toInt());
    } else if (item.property == u"Text") {
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setText(value);
    } else if (item.property == u"Caption") {
        if (auto *label = qobject_cast<QLabel *>(widget))
            label->setText(value);
    } else if (item.property == u"Value") {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (auto *spin = qobject_cast<QSpinBox *>(widget); spin && ok)
            spin->setValue(number);
    }
}
