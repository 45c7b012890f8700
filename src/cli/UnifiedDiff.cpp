#include "UnifiedDiff.h"

#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype Context = 3;
// Beyond this many differences the middle of the texts is given as one hunk: the search for
// the shortest script costs time and memory with the square of their number.
constexpr qsizetype MaxDifferences = 2000;

enum class Kind : char { Same = ' ', Removed = '-', Added = '+' };
struct Op {
    Kind kind;
    qsizetype before; // the line of `before` it is at (for an added line: the next one)
    qsizetype after;
};
using Lines = QList<QByteArray>;

// The shortest edit script of a[lo, n) into b[lo, m) (Myers), or nothing when it is longer
// than MaxDifferences.
bool shortestScript(const Lines &a, const Lines &b, qsizetype lo, qsizetype n, qsizetype m,
                    std::vector<Op> &ops)
{
    const qsizetype na = n - lo;
    const qsizetype nb = m - lo;
    const qsizetype limit = std::min(na + nb, MaxDifferences);
    const qsizetype offset = limit + 1;
    std::vector<qsizetype> v(size_t(2 * offset + 1), 0);
    std::vector<std::vector<qsizetype>> trace;
    qsizetype found = -1;
    for (qsizetype d = 0; d <= limit && found < 0; ++d) {
        trace.push_back(v);
        for (qsizetype k = -d; k <= d; k += 2) {
            qsizetype x
                = (k == -d || (k != d && v[size_t(offset + k - 1)] < v[size_t(offset + k + 1)]))
                ? v[size_t(offset + k + 1)]
                : v[size_t(offset + k - 1)] + 1;
            qsizetype y = x - k;
            while (x < na && y < nb && a[lo + x] == b[lo + y])
                ++x, ++y;
            v[size_t(offset + k)] = x;
            if (x >= na && y >= nb) {
                found = d;
                break;
            }
        }
    }
    if (found < 0)
        return false;
    std::vector<Op> reversed;
    qsizetype x = na;
    qsizetype y = nb;
    for (qsizetype d = found; d > 0; --d) {
        const std::vector<qsizetype> &pv = trace[size_t(d)];
        const qsizetype k = x - y;
        const bool down
            = k == -d || (k != d && pv[size_t(offset + k - 1)] < pv[size_t(offset + k + 1)]);
        const qsizetype pk = down ? k + 1 : k - 1;
        const qsizetype px = pv[size_t(offset + pk)];
        const qsizetype py = px - pk;
        while (x > px + (down ? 0 : 1) && y > py + (down ? 1 : 0))
            --x, --y, reversed.push_back({Kind::Same, lo + x, lo + y});
        if (down)
            --y, reversed.push_back({Kind::Added, lo + x, lo + y});
        else
            --x, reversed.push_back({Kind::Removed, lo + x, lo + y});
    }
    while (x > 0 && y > 0)
        --x, --y, reversed.push_back({Kind::Same, lo + x, lo + y});
    ops.insert(ops.end(), reversed.rbegin(), reversed.rend());
    return true;
}

std::vector<Op> script(const Lines &a, const Lines &b)
{
    std::vector<Op> ops;
    qsizetype lo = 0;
    while (lo < a.size() && lo < b.size() && a[lo] == b[lo]) {
        ops.push_back({Kind::Same, lo, lo});
        ++lo;
    }
    qsizetype n = a.size();
    qsizetype m = b.size();
    while (n > lo && m > lo && a[n - 1] == b[m - 1])
        --n, --m;
    if (!shortestScript(a, b, lo, n, m, ops)) {
        for (qsizetype i = lo; i < n; ++i)
            ops.push_back({Kind::Removed, i, lo});
        for (qsizetype j = lo; j < m; ++j)
            ops.push_back({Kind::Added, n, j});
    }
    for (qsizetype i = n, j = m; i < a.size(); ++i, ++j)
        ops.push_back({Kind::Same, i, j});
    return ops;
}

QByteArray range(qsizetype first, qsizetype count)
{
    // An empty range is named by the line before it.
    QByteArray text = QByteArray::number(count == 0 ? first : first + 1);
    if (count != 1)
        text += ',' + QByteArray::number(count);
    return text;
}

void appendLine(QByteArray &out, char kind, const QByteArray &line)
{
    out += kind;
    out += line;
    if (!line.endsWith('\n'))
        out += "\n\\ No newline at end of file\n";
}

void appendHunk(QByteArray &out, const std::vector<Op> &ops, size_t from, size_t to, const Lines &a,
                const Lines &b)
{
    qsizetype removed = 0;
    qsizetype added = 0;
    for (size_t i = from; i < to; ++i) {
        removed += ops[i].kind != Kind::Added;
        added += ops[i].kind != Kind::Removed;
    }
    out += "@@ -" + range(ops[from].before, removed) + " +" + range(ops[from].after, added)
        + " @@\n";
    for (size_t i = from; i < to; ++i) {
        const Op &op = ops[i];
        appendLine(out, char(op.kind), op.kind == Kind::Added ? b[op.after] : a[op.before]);
    }
}

} // namespace

QList<QByteArray> UnifiedDiff::lines(const QByteArray &text)
{
    QList<QByteArray> result;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        result << text.mid(start, end - start);
        start = end;
    }
    return result;
}

QByteArray UnifiedDiff::make(const QByteArray &before, const QByteArray &after,
                             const QByteArray &name, const QByteArray &label)
{
    if (before == after)
        return {};
    const Lines a = lines(before);
    const Lines b = lines(after);
    const std::vector<Op> ops = script(a, b);
    const QByteArray suffix = label.isEmpty() ? QByteArray() : '\t' + label;
    QByteArray out = "--- " + name + suffix + "\n+++ " + name + suffix + '\n';
    size_t i = 0;
    while (i < ops.size()) {
        while (i < ops.size() && ops[i].kind == Kind::Same)
            ++i;
        if (i == ops.size())
            break;
        const size_t from = i >= size_t(Context) ? i - size_t(Context) : 0;
        // The hunk goes on while the next change is near enough to share context.
        size_t end = i;
        for (size_t same = 0; end < ops.size(); ++end) {
            same = ops[end].kind == Kind::Same ? same + 1 : 0;
            if (same > size_t(2 * Context))
                break;
        }
        // Back to the last change, plus its context.
        size_t last = end;
        while (last > i && ops[last - 1].kind == Kind::Same)
            --last;
        const size_t to = std::min(ops.size(), last + size_t(Context));
        appendHunk(out, ops, from, to, a, b);
        i = to;
    }
    return out;
}
