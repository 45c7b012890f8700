#pragma once

#include "TestFolder.h"

#include "ui/ReviewTestHost.h"
#include "ui/ScriptedPrompter.h"

#include "review/ReviewDialog.h"
#include "run/QuorvexCore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's core with the real review dialog as its host's window, in a temporary folder:
// whole find and replace runs, or single showings of a loaded file.
class ReviewFixture : public TestFolder {
public:
    ReviewFixture();

    ProcessingDriver::Outcome replace(const QStringList &files, const QString &search,
                                      const QString &replacement);
    ProcessingDriver::Outcome find(const QStringList &files, const QString &search);

    // Loads `path` as the document in hand, with the occurrence at [start, start + length).
    void load(const QString &path, qsizetype start, qsizetype length);
    // One showing of the occurrence in hand, answered by `step`.
    ModalResult show(const ReviewTestHost::Step &step);

    ScriptedPrompter prompter;
    ReviewTestHost host{prompter};
    QuorvexCore core{host};
    // The forms translate by id: the built-in texts come before the dialog, as in the program.
    bool builtin = core.language.installBuiltin();
    ReviewDialog dialog{core.review, prompter};
};
