#pragma once

#include "options/StoredProp.h"
#include "options/WindowPlacement.h"

#include <QString>

#include <optional>

// What the settings file needs of a form: its window placement and the values of its stored
// items as text. The windows implement it over their widgets; tests over plain values.
class StoredForm {
public:
    virtual ~StoredForm() = default;

    virtual WindowPlacement placement() const = 0;
    // Whether the user can resize the window; a fixed-size window keeps its size on restore.
    virtual bool resizable() const = 0;
    // Moves the window to `rect`, unless the form finds it unusable.
    virtual void setNormalRect(const WindowPlacement::Rect &rect) = 0;
    virtual void setShowCmd(WindowPlacement::ShowCmd showCmd) = 0;

    // The item's value as text ("True"/"False", a decimal, or the text); nothing when the form
    // has no such component or property.
    virtual std::optional<QString> storedValue(const StoredProp &item) const = 0;
    // Sets the item from text of the same form; a value the component cannot take is ignored.
    virtual void setStoredValue(const StoredProp &item, const QString &value) = 0;
};
