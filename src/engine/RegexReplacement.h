#pragma once

#include "engine/TMaskBlockS.h"

#include <QString>
#include <QStringView>

class RegexPattern;

// Turns the replacement of a regular expression search into blocks: literals, copies of the
// match's groups (back references whose Pos is the group's number) and, with replacement
// wildcards, running numbers. "$0"-"$99" take two digits only while the pattern has that many
// groups; "${name}" or "${12}"; "$$" is "$"; "\n" the file's line break, "\t" a tab, "\\" a
// backslash. Any other "$" or "\" stands for itself.
class RegexReplacement {
public:
    // Fills `table` and `count`; false, with the reference in `badReference`, when the text
    // names a group the pattern does not have.
    static bool compile(QStringView text, const RegexPattern &pattern, bool counters,
                        MaskTable &table, int &count, QString *badReference);

private:
    static qsizetype reference(QStringView text, qsizetype at, const RegexPattern &pattern,
                               int &group);
};
