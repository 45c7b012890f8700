#include "review/MinimalEdit.h"

#include "document/Document.h"

#include <algorithm>

MinimalEdit MinimalEdit::between(QStringView old, qsizetype base, qsizetype pos, qsizetype count,
                                 QStringView text)
{
    const QStringView replaced = old.sliced(pos - base, count);
    const qsizetype shorter = std::min(replaced.size(), text.size());
    qsizetype head = 0;
    while (head < shorter && replaced[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head
           && replaced[replaced.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    return {pos + head, count - head - tail,
            text.sliced(head, text.size() - head - tail).toString(), tail};
}

MinimalEdit MinimalEdit::between(const Document &document, qsizetype pos, qsizetype count,
                                 QStringView text)
{
    pos = std::clamp<qsizetype>(pos, 0, document.length());
    count = std::clamp<qsizetype>(count, 0, document.length() - pos);
    return between(document.mid(pos, count), pos, pos, count, text);
}
