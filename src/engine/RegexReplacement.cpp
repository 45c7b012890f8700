#include "engine/RegexReplacement.h"

#include "engine/MaskCompiler.h"
#include "engine/RegexPattern.h"

using namespace Qt::StringLiterals;

namespace {

void append(MaskTable &table, int &count, const TMaskBlockS &block)
{
    if (block.Kind == mkLiteral && count > 0 && table[size_t(count)].Kind == mkLiteral) {
        TMaskBlockS &last = table[size_t(count)];
        last.Text += block.Text;
        last.Width = int(last.Text.size());
        return;
    }
    ++count;
    if (table.size() < size_t(count) + 2)
        table.resize(size_t(count) + 2);
    table[size_t(count)] = block;
}

TMaskBlockS literal(const QString &text)
{
    TMaskBlockS block;
    block.Text = text;
    block.Width = int(text.size());
    return block;
}

// A bracket token with replacement wildcards on: what the wildcard compiler makes of it alone
// (a running number, "[O]", "[C]"; a back reference has no search blocks here and is dropped).
void appendToken(QStringView token, MaskTable &table, int &count)
{
    MaskTable blocks{1};
    int blockCount = 0;
    MaskCompiler().CompileMask(token, blocks, blockCount, true);
    for (int i = 1; i <= blockCount; ++i)
        append(table, count, blocks[size_t(i)]);
}

} // namespace

bool RegexReplacement::compile(QStringView text, const RegexPattern &pattern, bool counters,
                               MaskTable &table, int &count, QString *badReference)
{
    table.assign(2, TMaskBlockS{});
    count = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < n ? text[i + 1] : QChar();
        if (c == u'\\' && (next == u'n' || next == u't' || next == u'\\')) {
            // Written as typed line breaks are, so that each file gets its own.
            append(table, count,
                   literal(next == u'n'       ? u"\r\n"_s
                               : next == u't' ? u"\t"_s
                                              : u"\\"_s));
            ++i;
        } else if (c == u'$' && next == u'$') {
            append(table, count, literal(u"$"_s));
            ++i;
        } else if (c == u'$') {
            int group = -1;
            const qsizetype end = reference(text, i + 1, pattern, group);
            if (end < 0) {
                append(table, count, literal(u"$"_s));
                continue;
            }
            if (group < 0 || group > pattern.captureCount()) {
                if (badReference)
                    *badReference = text.sliced(i, end - i).toString();
                return false;
            }
            TMaskBlockS block;
            block.Kind = mkBackRef;
            block.Pos = group;
            append(table, count, block);
            i = end - 1;
        } else if (c == u'[' && counters && text.indexOf(u']', i) > i) {
            const qsizetype end = text.indexOf(u']', i) + 1;
            appendToken(text.sliced(i, end - i), table, count);
            i = end - 1;
        } else {
            append(table, count, literal(QString(c)));
        }
    }
    return true;
}

// The group named at `at` (after a "$") and where its reference ends; -1 for no reference.
qsizetype RegexReplacement::reference(QStringView text, qsizetype at, const RegexPattern &pattern,
                                      int &group)
{
    const qsizetype n = text.size();
    if (at < n && text[at].isDigit() && text[at].unicode() < 128) {
        group = text[at].digitValue();
        const bool second
            = at + 1 < n && text[at + 1].unicode() >= u'0' && text[at + 1].unicode() <= u'9';
        if (second && group * 10 + text[at + 1].digitValue() <= pattern.captureCount()) {
            group = group * 10 + text[at + 1].digitValue();
            return at + 2;
        }
        return at + 1;
    }
    if (at < n && text[at] == u'{') {
        const qsizetype close = text.indexOf(u'}', at);
        if (close <= at + 1)
            return -1;
        const QStringView name = text.sliced(at + 1, close - at - 1);
        bool number = false;
        const int value = name.toInt(&number);
        group = number && value >= 0 ? value : pattern.groupNumber(name);
        return close + 1;
    }
    return -1;
}
