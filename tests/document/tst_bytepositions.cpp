// Text positions found from a file's bytes against those of its decoded text: every place
// where a character starts must give the offset, line and column the document gives.
#include "document/BytePositions.h"
#include "document/Cp1251.h"
#include "document/PositionMapper.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestBytePositions : public QObject {
    Q_OBJECT

private slots:
    void sameAsDecodedText_data();
    void sameAsDecodedText();
};

void TestBytePositions::sameAsDecodedText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");

    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("LF") << "a\nbc\n\nd"_ba << true;
    QTest::newRow("CR LF") << "ab\r\ncd\r\n\r\ne\r\n"_ba << true;
    QTest::newRow("CR") << "\rab\r\rc\r"_ba << true;
    QTest::newRow("mixed") << "a\n\r\r\nb\r\n\nc\n\r"_ba << true;
    QTest::newRow("Cyrillic") << u"Привет,\r\nмир\rи ещё"_s.toUtf8() << true;
    QTest::newRow("beyond U+FFFF") << u"a😀b\n😀😀c ё"_s.toUtf8() << true;
    QTest::newRow("mark") << "\xEF\xBB\xBF" + u"ёж\r\nx"_s.toUtf8() << true;
    QTest::newRow("code page") << "\xcf\xf0\xe8\r\n\xe2\xe5\xf2\rx\x98\n"_ba << false;
    QTest::newRow("mark in a code page") << "\xEF\xBB\xBF\xcf\r\nx"_ba << false;
}

// The bytes are read a character at a time, so that CRs and LFs fall at the ends of pieces.
void TestBytePositions::sameAsDecodedText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    const qsizetype mark = utf8 && bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QString text = utf8 ? QString::fromUtf8(bytes.sliced(mark)) : Cp1251::decode(bytes);
    const PositionMapper mapper(text);
    BytePositions positions(utf8 ? BytePositions::Encoding::Utf8
                                 : BytePositions::Encoding::SingleByte);
    qsizetype offset = 0;
    qsizetype at = mark;
    for (;;) {
        const BytePositions::Position position = positions.here();
        QCOMPARE(position.offset, offset);
        // Between a CR and its LF the text is inside a line break, which nothing starts at.
        const bool insideBreak = offset > 0 && offset < text.size() && text[offset - 1] == u'\r'
            && text[offset] == u'\n';
        if (!insideBreak)
            QCOMPARE(position.at, mapper.lineColumn(offset));
        if (at == bytes.size())
            break;
        qsizetype next = at + 1;
        while (utf8 && next < bytes.size() && (uchar(bytes[next]) & 0xC0) == 0x80)
            ++next;
        positions.feed(QByteArrayView(bytes).sliced(at, next - at));
        at = next;
        offset += text[offset].isHighSurrogate() ? 2 : 1;
    }
    QCOMPARE(offset, text.size());
}

QTEST_GUILESS_MAIN(TestBytePositions)
#include "tst_bytepositions.moc"
