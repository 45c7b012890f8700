#include "rtf/RtfSeam.h"

#include "rtf/RtfTextUnit.h"

namespace {

bool isLetter(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}
bool isHex(int c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

// The left side read backwards: back(0) is the last byte, -1 past the beginning. Reading stops
// at Reach bytes, far beyond any real control word, so a long run of letters costs little; a
// tail that needed more is taken as unsure, and the caller separates to be safe.
class RtfSeam::Tail {
public:
    static constexpr qsizetype Reach = 4096;

    Tail(QByteArrayView far, QByteArrayView near) : m_far(far), m_near(near) { }

    bool unsure() const { return m_unsure; }

    int back(qsizetype k) const
    {
        if (k >= Reach) {
            m_unsure = true;
            return -2;
        }
        if (k < m_near.size())
            return uchar(m_near[m_near.size() - 1 - k]);
        k -= m_near.size();
        return k < m_far.size() ? uchar(m_far[m_far.size() - 1 - k]) : -1;
    }
    qsizetype skip(qsizetype k, bool (*test)(int)) const
    {
        while (test(back(k)))
            ++k;
        return k;
    }
    // Whether back(k) is a backslash that starts a token (an odd run of backslashes).
    bool escapeAt(qsizetype k) const
    {
        qsizetype run = 0;
        while (back(k + run) == '\\')
            ++run;
        return run % 2 == 1;
    }

private:
    QByteArrayView m_far;
    QByteArrayView m_near;
    mutable bool m_unsure = false;
};

QByteArrayView RtfSeam::separator(QByteArrayView leftFar, QByteArrayView leftNear, int right,
                                  std::optional<quint8> leftUnit)
{
    if (right < 0)
        return {};
    const quint8 hungry = RtfTextUnit::LoneLead | RtfTextUnit::OpenFallback;
    if ((leftUnit.value_or(0) & hungry) != 0 && right != '{' && right != '}')
        return "{}";
    const Tail tail(leftFar, leftNear);
    if (endsInOpenWord(tail)) {
        if (!isLetter(right) && !isDigit(right) && right != ' ' && right != '-')
            return {};
        return leftUnit ? "{}" : " ";
    }
    if (isDigit(right) && endsInWordAndMinus(tail))
        return "{}";
    if (isHex(right) && endsInOpenHex(tail))
        return "{}";
    if (tail.unsure() && (isLetter(right) || isDigit(right) || right == ' ' || right == '-'))
        return "{}";
    return {};
}

bool RtfSeam::endsInOpenWord(const Tail &tail)
{
    qsizetype k = tail.skip(0, isDigit);
    if (k > 0 && tail.back(k) == '-')
        ++k;
    const qsizetype letters = tail.skip(k, isLetter);
    return letters > k && tail.escapeAt(letters);
}

bool RtfSeam::endsInWordAndMinus(const Tail &tail)
{
    if (tail.back(0) != '-')
        return false;
    const qsizetype letters = tail.skip(1, isLetter);
    return letters > 1 && tail.escapeAt(letters);
}

bool RtfSeam::endsInOpenHex(const Tail &tail)
{
    if (tail.back(0) == '\'' && tail.escapeAt(1))
        return true;
    return isHex(tail.back(0)) && tail.back(1) == '\'' && tail.escapeAt(2);
}
