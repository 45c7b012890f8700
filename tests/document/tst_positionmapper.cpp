#include "document/Document.h"
#include "document/PositionMapper.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// What the mapper must answer, counted the slow way from the text itself.
struct Model {
    QString text;

    QList<qsizetype> lineStarts() const
    {
        QList<qsizetype> starts{0};
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool crlf = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
            if (text[i] == u'\n' || (text[i] == u'\r' && !crlf))
                starts << i + 1;
        }
        return starts;
    }
    qsizetype paragraphOffset(qsizetype offset) const
    {
        qsizetype pairs = 0;
        for (qsizetype i = 0; i + 1 < offset; ++i)
            pairs += text[i] == u'\r' && text[i + 1] == u'\n';
        return offset - pairs;
    }
};

void compareWithModel(const PositionMapper &mapper, const Model &model)
{
    const QList<qsizetype> starts = model.lineStarts();
    QCOMPARE(mapper.length(), model.text.size());
    QCOMPARE(mapper.lineCount(), starts.size());
    for (qsizetype line = 0; line < starts.size(); ++line)
        QCOMPARE(mapper.lineStart(line), starts[line]);
    for (qsizetype offset = 0; offset <= model.text.size(); ++offset) {
        const qsizetype line
            = std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
        QCOMPARE(mapper.lineColumn(offset), (LineColumn{line + 1, offset - starts[line] + 1}));
        const qsizetype paragraph = model.paragraphOffset(offset);
        QCOMPARE(mapper.toParagraphOffset(offset), paragraph);
        // Back from a paragraph offset: the same place, or past a CR LF when in its middle.
        const qsizetype back = mapper.fromParagraphOffset(paragraph);
        QCOMPARE(model.paragraphOffset(back), paragraph);
        QVERIFY(back == offset || (back == offset + 1 && model.text[offset - 1] == u'\r'));
    }
}

QString randomText(QRandomGenerator &random, qsizetype length)
{
    static const QString alphabet = u"ab\r\n\r\nx\r\n"_s;
    QString text;
    for (qsizetype i = 0; i < length; ++i)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

} // namespace

// Lines, columns and paragraph offsets of a document, and how they follow edits.
class TestPositionMapper : public QObject {
    Q_OBJECT
private slots:
    void lookups_data();
    void lookups();
    void lineEndsBeforeTheBreak();
    void offsetOfClipsToTheLine();
    void followsRandomEdits();
    void documentKeepsItInStep();
};

void TestPositionMapper::lookups_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("one line") << u"abc"_s;
    QTest::newRow("crlf") << u"ab\r\ncd\r\n"_s;
    QTest::newRow("lf only") << u"ab\ncd\n\n"_s;
    QTest::newRow("cr only") << u"ab\rcd\r\r"_s;
    QTest::newRow("mixed") << u"\r\n\n\r\r\n\n\ra"_s;
    QTest::newRow("lf cr is two breaks") << u"a\n\rb"_s;
}

void TestPositionMapper::lookups()
{
    QFETCH(QString, text);
    compareWithModel(PositionMapper(text), Model{text});
    // Read in two pieces, split anywhere, even between CR and LF.
    for (qsizetype split = 0; split <= text.size(); ++split)
        compareWithModel(
            PositionMapper(QStringView(text).first(split), QStringView(text).sliced(split)),
            Model{text});
}

void TestPositionMapper::lineEndsBeforeTheBreak()
{
    const PositionMapper mapper(u"ab\r\ncd\nef\rgh"_s);
    QCOMPARE(mapper.lineCount(), 4);
    QCOMPARE(mapper.lineEnd(0), 2);
    QCOMPARE(mapper.lineEnd(1), 6);
    QCOMPARE(mapper.lineEnd(2), 9);
    QCOMPARE(mapper.lineEnd(3), 12);
}

void TestPositionMapper::offsetOfClipsToTheLine()
{
    const PositionMapper mapper(u"ab\r\ncd"_s);
    QCOMPARE(mapper.offsetOf({2, 2}), 5);
    QCOMPARE(mapper.offsetOf({1, 99}), 2);
    QCOMPARE(mapper.offsetOf({9, 1}), 4);
    QCOMPARE(mapper.offsetOf({0, 0}), 0);
}

void TestPositionMapper::followsRandomEdits()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 200; ++round) {
        Model model{randomText(random, random.bounded(30))};
        PositionMapper mapper(model.text);
        for (int step = 0; step < 12; ++step) {
            const qsizetype pos = random.bounded(int(model.text.size() + 1));
            const qsizetype removed = random.bounded(int(model.text.size() - pos + 1));
            const QString inserted = randomText(random, random.bounded(5));
            model.text.replace(pos, removed, inserted);
            const TextEdit edit{pos, removed, inserted};
            const qsizetype end = edit.end();
            mapper.applyEdit(edit, pos > 0 ? model.text[pos - 1] : QChar(),
                             end < model.text.size() ? model.text[end] : QChar());
            compareWithModel(mapper, model);
            if (QTest::currentTestFailed()) {
                qWarning() << "round" << round << "step" << step << model.text;
                return;
            }
        }
    }
}

void TestPositionMapper::documentKeepsItInStep()
{
    Document document(u"one\r\ntwo\r\nthree"_s);
    QCOMPARE(document.positions().lineColumn(10), (LineColumn{3, 1}));
    document.replace(3, 2, u"\n\n"_s);
    QCOMPARE(document.positions().lineColumn(10), (LineColumn{4, 1}));
    // A copy builds its own.
    Document copy = document;
    copy.replace(0, 0, u"\r"_s);
    QCOMPARE(copy.positions().lineColumn(11), (LineColumn{5, 1}));
    QCOMPARE(document.positions().lineColumn(10), (LineColumn{4, 1}));
}

QTEST_GUILESS_MAIN(TestPositionMapper)
#include "tst_positionmapper.moc"
