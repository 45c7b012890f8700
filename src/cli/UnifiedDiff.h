#pragma once

#include <QByteArray>
#include <QList>

// A unified diff of two texts, line by line (a line keeps its own line break, CR included),
// with three lines of context, as `patch` reads it. Texts that differ in very many places get
// fewer, larger hunks: still exact, only not the shortest.
class UnifiedDiff {
public:
    // The hunks turning `before` into `after`, under the header lines "--- name" and
    // "+++ name" (`label`, when given, follows each name after a tab). Empty when the texts
    // are equal.
    static QByteArray make(const QByteArray &before, const QByteArray &after,
                           const QByteArray &name, const QByteArray &label = {});
    // The lines of `text`, each with its line break; the last one may have none.
    static QList<QByteArray> lines(const QByteArray &text);
};
