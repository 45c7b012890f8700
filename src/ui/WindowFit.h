#pragma once

#include <QPoint>

class QWidget;

// Keeps windows where the user can use them. A dialog's size follows its texts, so a stored
// placement keeps its centre, applied when the dialog is shown in its final size; and every
// window is moved (and, when it may be resized, shrunk) into the free area of its screen.
class WindowFit {
public:
    // The centre a dialog restored from the settings is to be shown at.
    static void setStoredCentre(QWidget *dialog, QPoint centre);
    // Called as the window is shown, after its layout: the stored centre, then the screen.
    static void fitOnShow(QWidget *window);
};
