// The byte-level search of patterns that are not all ASCII against the decoded search it
// stands in for: on random texts of letters with special folding, in UTF-8 and code page 1251,
// every start found in the bytes is the byte offset of a start found in the text. Also the
// UTF-8 check against the strict decoder the documents are read with.
#include "document/Cp1251.h"
#include "document/TextEncoding.h"
#include "engine/ByteFormsFinder.h"
#include "engine/LiteralSearch.h"
#include "engine/Utf8Scan.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Letters whose folding is special (ё/Ё, і/І, the narrow forms U+1C80..U+1C88 that fold to
// в д о с т ъ ѣ, long s, the Kelvin sign), some that fold plainly, and filler.
const QString kAlphabet = u"когдаКОГДАёЁіІвдостъѣВДОСТЪѢ\u1C80\u1C81\u1C82\u1C83\u1C84\u1C86"
                          u"\u1C87sSſkK\u212A ."_s;

std::array<char16_t, 256> cp1251Table()
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[size_t(b)] = Cp1251::toUnicode(uchar(b));
    return table;
}

QString randomText(QRandomGenerator &random, qsizetype length, bool cp1251)
{
    QString text;
    while (text.size() < length) {
        const QChar c = kAlphabet[random.bounded(int(kAlphabet.size()))];
        if (!cp1251 || Cp1251::fromUnicode(c.unicode()) >= 0)
            text += c;
    }
    return text;
}

// The decoded search's starts (one character on after each), as offsets of `bytesOf`.
QList<qsizetype> decodedStarts(const QString &text, const QString &needle, bool matchCase,
                               const std::function<qsizetype(qsizetype)> &bytesOf)
{
    QList<qsizetype> starts;
    for (qsizetype from = 0;;) {
        const qsizetype at
            = LiteralSearch::indexOf(QStringView(text).sliced(from), needle, matchCase);
        if (at < 0)
            return starts;
        starts << bytesOf(from + at);
        from += at + 1;
    }
}

QList<qsizetype> byteStarts(const ByteFormsFinder &finder, QByteArrayView bytes)
{
    QList<qsizetype> starts;
    std::vector<qsizetype> many;
    qsizetype from = 0;
    for (bool more = true; more;) {
        many.clear();
        more = finder.findMany(bytes, from, 1, many, 3);
        starts.append(QList<qsizetype>(many.begin(), many.end()));
    }
    return starts;
}

} // namespace

class TestByteFormsFinder : public QObject {
    Q_OBJECT

private slots:
    void sameStartsAsDecoded_data();
    void sameStartsAsDecoded();
    void utf8CheckAsDecoder_data();
    void utf8CheckAsDecoder();
};

void TestByteFormsFinder::sameStartsAsDecoded_data()
{
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("matchCase");
    for (const bool matchCase : {true, false}) {
        const char *how = matchCase ? "case" : "any case";
        for (const QString &needle : {u"когда"_s, u"ОГ"_s, u"ё"_s, u"Ёі"_s, u"дос"_s, u"в"_s,
                                      u"ъѣ"_s, u"sк"_s, u"ſк"_s, u"\u212Aо"_s, u"\u1C82г"_s})
            QTest::addRow("%s %s", qPrintable(needle), how) << needle << matchCase;
    }
}

void TestByteFormsFinder::sameStartsAsDecoded()
{
    QFETCH(QString, needle);
    QFETCH(bool, matchCase);
    QRandomGenerator random(20261207);
    for (const bool cp1251 : {false, true}) {
        const std::optional<ByteForms> forms = cp1251
            ? ByteForms::singleByte(needle, matchCase, cp1251Table())
            : ByteForms::utf8(needle, matchCase);
        if (!forms) {
            QVERIFY(cp1251); // every pattern of the BMP has UTF-8 forms
            continue;
        }
        const ByteFormsFinder finder(*forms);
        for (int round = 0; round < 40; ++round) {
            const QString text = randomText(random, random.bounded(1, 300), cp1251);
            QByteArray bytes;
            std::vector<qsizetype> offsets; // of each character, and of the end
            for (const QChar c : text) {
                offsets.push_back(bytes.size());
                if (cp1251)
                    bytes += char(Cp1251::fromUnicode(c.unicode()));
                else
                    bytes += QString(c).toUtf8();
            }
            offsets.push_back(bytes.size());
            // Other forms in the bytes send the file to the decoded search.
            const bool outside
                = std::any_of(forms->outside().begin(), forms->outside().end(),
                              [&](const QByteArray &form) { return bytes.contains(form); });
            if (outside)
                continue;
            const QList<qsizetype> expected = decodedStarts(
                text, needle, matchCase, [&](qsizetype i) { return offsets[size_t(i)]; });
            QCOMPARE(byteStarts(finder, bytes), expected);
        }
    }
}

void TestByteFormsFinder::utf8CheckAsDecoder_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QByteArray("plain text, long enough for a block or two");
    QTest::newRow("cyrillic") << u"когда ёлка"_s.toUtf8();
    QTest::newRow("overlong") << QByteArray("abc \xC0\xAF");
    QTest::newRow("overlong three") << QByteArray("\xE0\x80\xAF and more text after it");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
    QTest::newRow("last plane") << QByteArray("\xF4\x8F\xBF\xBF");
    QTest::newRow("past the last plane") << QByteArray("\xF4\x90\x80\x80");
    QTest::newRow("noncharacter") << QByteArray("\xEF\xBF\xBE");
    QTest::newRow("cut at the end") << QByteArray("sixteen bytes..\xD0");
    QTest::newRow("lone continuation") << QByteArray("\x80");
    QTest::newRow("code page 1251") << QByteArray("\xEA\xEE\xE3\xE4\xE0");
    // Faults and cut sequences on either side of the 32-byte blocks.
    for (const int pad : {29, 30, 31, 32, 62, 63}) {
        for (const QByteArray &piece : {QByteArray("\xD0"), QByteArray("\xE0\xA0"),
                                        QByteArray("\xF0\x90\x80"), QByteArray("\xD0\xBA")}) {
            const QByteArray start = QByteArray(pad, 'a') + piece;
            QTest::addRow("%d+%d then text", pad, int(piece.size())) << start + QByteArray(40, 'b');
            QTest::addRow("%d+%d at the end", pad, int(piece.size())) << start;
        }
    }
    QRandomGenerator random(7);
    const QByteArray pieces[] = {"\xD0\xBA", "a",    "\xE1\xB2\x82", "\xF0\x9F\x98\x80",
                                 "\xED",     "\x80", "\xC3",         "0123456789abcdef"};
    for (int row = 0; row < 40; ++row) {
        QByteArray bytes;
        for (int k = random.bounded(1, 30); k > 0; --k)
            bytes += pieces[random.bounded(int(std::size(pieces)))];
        QTest::addRow("random %d", row) << bytes;
    }
}

void TestByteFormsFinder::utf8CheckAsDecoder()
{
    QFETCH(QByteArray, bytes);
    const bool decodes = TextEncoding::utf8(false).decode(bytes).has_value();
    const Utf8Scan::Result scan = Utf8Scan::of(bytes);
    QCOMPARE(scan.validUpTo == bytes.size(), decodes);
    QCOMPARE(scan.ascii, !std::any_of(bytes.begin(), bytes.end(), [](char c) { return c < 0; }));
    if (!decodes) // the valid part before the fault decodes
        QVERIFY(TextEncoding::utf8(false).decode(bytes.first(scan.validUpTo)).has_value());
}

QTEST_GUILESS_MAIN(TestByteFormsFinder)
#include "tst_byteformsfinder.moc"
