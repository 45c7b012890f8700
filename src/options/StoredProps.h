#pragma once

#include "options/StoredProp.h"

#include <QList>
#include <QString>

// The three sections of the settings file, in the order they are written, and the stored items
// of each form, in the order they are written and restored.
class StoredProps {
public:
    static QString mainSection();
    static QString foldersSection();
    static QString optionsSection();

    // The main window MainF.
    static QList<StoredProp> forMain();
    // The folder chooser FolderDF.
    static QList<StoredProp> forFolders();
    // The options dialog OptionsF.
    static QList<StoredProp> forOptions();
};
