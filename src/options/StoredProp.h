#pragma once

#include <QString>

// One stored item of a form: a component found by its name, one of its properties, and how the
// property's value is written. The key in the settings file is "<component>_<property>".
struct StoredProp {
    enum class Kind { Boolean, Integer, String };

    QString component;
    QString property;
    Kind kind = Kind::Boolean;

    QString key() const { return component + u'_' + property; }
};
