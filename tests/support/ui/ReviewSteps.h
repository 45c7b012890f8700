#pragma once

#include "ui/ReviewTestHost.h"

#include <QString>
#include <QStringList>

class QWidget;

// Steps and probes the review dialog's tests build their scripts from.
class ReviewSteps {
public:
    using Step = ReviewTestHost::Step;

    // A script of one showing: "click <button>", "key <Escape|Return|Delete>", "close".
    static Step script(const QStringList &actions);
    // Enters edit mode, selects [from, to) and types `text` over it.
    static Step typeOver(qsizetype from, qsizetype to, const QString &text);
    // Checks the radio button `radio`.
    static Step check(const char *radio);

    static QWidget *part(ReviewDialog &d, const char *name);
    static bool visible(ReviewDialog &d, const char *name);
    // The text arrives at once, as an input method commits it.
    static void commit(QWidget *target, const QString &text);
    // The text arrives key by key.
    static void typeText(QWidget *target, const QString &text);
};
