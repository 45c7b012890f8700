#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// The settings file as the tests expect a save to write it.
class SettingsText {
public:
    // Where a window of `size` not placed yet appears: centred on the primary screen.
    static QRect centred(QSize size);
    // "left,top,right,bottom" of `rect`.
    static QString normPos(const QRect &rect);
    // The placement keys every section begins with, for a normal window at `rect`.
    static QString placementKeys(const QRect &rect);
    // The stored items of the section Options as a first start writes them.
    static QString defaultOptionsItems();
};
