#pragma once

#include "options/StoredProp.h"

#include <QList>
#include <QSize>
#include <QString>

class ProfileFile;
class StoredForm;

// Saves and restores one form in one section of the settings file: first the window placement
// keys, then the stored items in their order. `screenSize` is the size of the primary screen,
// which names the placement keys of that resolution ("NormPos(1024x768)").
class FormSettings {
public:
    static void save(ProfileFile &file, const QString &section, const QList<StoredProp> &items,
                     const StoredForm &form, QSize screenSize);
    static void restore(const ProfileFile &file, const QString &section,
                        const QList<StoredProp> &items, StoredForm &form, QSize screenSize);

    // "(1024x768)".
    static QString screenSuffix(QSize screenSize);
    // "True" or "False".
    static QString booleanText(bool value);
};
