#pragma once

#include <QString>

// File-dialog filters: the program keeps them as "Description|*.a;*.b|Other|*.c" and Qt's
// dialogs take "Description (*.a *.b);;Other (*.c)".
class DialogFilter {
public:
    // Each pattern is offered in upper and lower case too, because file names on this platform
    // are case-sensitive while the extensions are compared without regard to case.
    static QString toQt(const QString &pipeFilter);
};
