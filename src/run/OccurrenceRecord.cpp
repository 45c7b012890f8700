#include "run/OccurrenceRecord.h"

LineColumn OccurrenceRecord::position() const
{
    if (!document)
        return at;
    const LineColumn now = document->positions().lineColumn(start);
    if (start == 0 || start >= document->length() || document->at(start) != u'\n'
        || document->at(start - 1) != u'\r')
        return now;
    // What stood at `start` when the occurrence was met: an LF put in place after a CR joins
    // the two into one line break, but the occurrence started the line after the lone CR.
    const qsizetype after = replacement.isNull() ? start : start + replacement.size();
    const QChar first = !matched.isEmpty() ? matched.front()
        : after < document->length()       ? document->at(after)
                                           : QChar();
    if (first == u'\n')
        return now;
    return {now.line + 1, 1};
}
