// A search split into parts at random places must find exactly the matches, groups and all, of
// one search from the start.
#include "engine/RegexByteFinder.h"
#include "engine/RegexBytePattern.h"
#include "engine/RegexSplitSearch.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Matches = std::vector<qsizetype>;

// Words, addresses, tags, Cyrillic and astral letters and line breaks of the given style.
QByteArray textOf(QRandomGenerator &random, const QByteArray &style)
{
    // clang-format off
    const QList<QByteArray> pieces{
        "a", "b", "ab", "c", "d", "x", " ", " ", "@", ".com", "u@h.com", "<b>", "</b>", "user",
        "host", "_", "\t", "\xD0\x96", "\xD1\x91", "\xF0\x9F\x98\x80"};
    // clang-format on
    QByteArray text;
    for (int i = 0; i < 700; ++i) {
        if (random.bounded(9) == 0) {
            const bool mixed = style == "mixed";
            text += mixed ? QList<QByteArray>{"\r\n", "\n", "\r"}[random.bounded(3)] : style;
        } else {
            text += pieces[random.bounded(int(pieces.size()))];
        }
    }
    return text;
}

Matches oneSearch(const RegexBytePattern &pattern, QByteArrayView text)
{
    RegexByteFinder finder(pattern);
    Matches all;
    for (qsizetype at = 0;;) {
        const RegexByteFinder::Found found = finder.find(text, at);
        if (found != RegexByteFinder::Found::Match)
            return all;
        all.insert(all.end(), finder.groups(), finder.groups() + finder.groupCount() * 2);
        at = RegexByteFinder::resumeAfter(text, finder.groupStart(0), finder.groupEnd(0));
    }
}

} // namespace

class TestRegexSplitSearch : public QObject {
    Q_OBJECT

private slots:
    void sameAsOneSearch_data();
    void sameAsOneSearch();
    void startsAnywhere_data();
    void startsAnywhere();
    void limitInAnyPart();
};

void TestRegexSplitSearch::sameAsOneSearch_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QByteArray>("style"); // the text's line breaks
    QTest::addColumn<bool>("matchCase");
    auto row = [](const char *name, const QString &pattern, const QByteArray &style,
                  bool matchCase = true) { QTest::newRow(name) << pattern << style << matchCase; };
    row("addresses", u"(\\w+)@(\\w+)\\.com"_s, "\n");
    row("lazy tags", u"<b>(.*?)</b>"_s, "\r\n");
    row("tags over lines", u"(?s)<b>(.*?)</b>"_s, "\n");
    row("long matches", u"(?s).{0,300}?c"_s, "\n");
    row("looking behind", u"(?<=@)\\w+|(?<=\\.)c"_s, "\r\n");
    row("word starts", u"\\b\\w"_s, "\n");
    row("word ends, any case", u"\\B[AB]\\b"_s, "\n", false);
    row("line starts", u"^\\w*"_s, "\r\n");
    row("line ends", u"$"_s, "\r\n");
    row("empty lines", u"^$"_s, "\r\n");
    row("line starts, LF", u"^\\w+"_s, "\n");
    row("after line breaks", u"\\n(\\w)|\\r"_s, "mixed");
    row("empty matches", u"x*"_s, "\n");
    row("empty before each character", u"(?=.)|$"_s, "\r\n");
    row("line breaks", u"\\r\\n|\\n"_s, "mixed");
    row("Cyrillic, any case", u"[ж-я]+"_s, "\r", false);
    row("alternatives, optional groups", u"(a|ab)(c|bcd)?(d*)"_s, "\n");
    row("looking ahead across lines", u"\\w+(?=\\s+\\w)"_s, "mixed");
}

void TestRegexSplitSearch::sameAsOneSearch()
{
    QFETCH(QString, pattern);
    QFETCH(QByteArray, style);
    QFETCH(bool, matchCase);
    const QString lineBreak = style == "mixed" ? u"\r\n"_s : QString::fromLatin1(style);
    const auto plain = RegexBytePattern::compile(pattern, matchCase, lineBreak);
    const auto bounded = RegexBytePattern::compile(pattern, matchCase, lineBreak, true);
    QVERIFY(plain && bounded);
    QVERIFY(RegexBytePattern::startsAnywhere(pattern));
    QRandomGenerator random(qHashMulti(0, pattern, style));
    for (int round = 0; round < 60; ++round) {
        const QByteArray text = textOf(random, style);
        const Matches expected = oneSearch(*plain, text);
        QVERIFY(!expected.empty());
        std::vector<qsizetype> splits;
        for (int n = int(random.bounded(12)); n >= 0; --n)
            splits.push_back(random.bounded(text.size()));
        std::sort(splits.begin(), splits.end());
        if (round % 10 == 0)
            splits = RegexSplitSearch::splitsOf(text, 2 + round / 10);
        RegexSplitSearch search(*bounded, true);
        // Now and then the parts keep little: the rest is searched by the merge.
        if (round % 3 == 0)
            search.setKeptMost(random.bounded(40));
        Matches found;
        const bool known
            = search.forEach(text, splits, 1 + round % 4, [&](const qsizetype *groups, int count) {
                  found.insert(found.end(), groups, groups + count * 2);
              });
        QVERIFY(known);
        QCOMPARE(found, expected);
    }
}

void TestRegexSplitSearch::startsAnywhere_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("anywhere");
    QTest::newRow("plain") << u"(\\w+)@(?<=@)\\b"_s << true;
    QTest::newRow("search start") << u"\\Ga"_s << false;
    QTest::newRow("start moved") << u"a\\Kb"_s << false;
    QTest::newRow("verb") << u"a+(*COMMIT)b"_s << false;
}

void TestRegexSplitSearch::startsAnywhere()
{
    QFETCH(QString, pattern);
    QFETCH(bool, anywhere);
    QCOMPARE(RegexBytePattern::startsAnywhere(pattern), anywhere);
}

// A part that reaches the step limit leaves the matches unknown, wherever it lies.
void TestRegexSplitSearch::limitInAnyPart()
{
    const auto bounded = RegexBytePattern::compile(u"(a+)+b|x"_s, true, u"\n"_s, true);
    const QByteArray text = QByteArray(500, 'x') + QByteArray(40, 'a') + 'c' + QByteArray(500, 'x');
    for (const std::vector<qsizetype> &splits :
         {std::vector<qsizetype>{100}, {400, 900}, {520}, {541, 600}}) {
        const RegexSplitSearch search(*bounded, false);
        const bool known = search.forEach(text, splits, 2, [](const qsizetype *, int) {});
        QVERIFY(!known);
    }
}

QTEST_GUILESS_MAIN(TestRegexSplitSearch)
#include "tst_regexsplitsearch.moc"
