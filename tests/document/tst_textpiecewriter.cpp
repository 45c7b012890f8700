#include "TestFolder.h"
#include "document/TextPieceWriter.h"
#include "io/TempFileWriter.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A text cut into pieces at random places (pairs split too), handed over in place or copied,
// with or without the thread: nothing to the writer may depend on where the cuts fall.
std::optional<QByteArray> written(TestFolder &folder, const QString &text,
                                  const TextEncoding &encoding, bool threaded, int seed)
{
    const QString target = folder.write(u"target.txt"_s, "old");
    TempFileWriter file;
    if (!file.open(target, std::nullopt, nullptr))
        return QByteArray("<not opened>");
    TextPieceWriter out(encoding, file, threaded);
    QRandomGenerator random{quint32(seed)};
    for (qsizetype at = 0; at < text.size();) {
        // Mostly short pieces, now and then one longer than a chunk.
        const int longest = random.bounded(8) == 0 ? int(3 * TextPieceWriter::Chunk) : 40;
        const qsizetype size = std::min<qsizetype>(text.size() - at, random.bounded(1, longest));
        const QStringView piece = QStringView(text).sliced(at, size);
        if (random.bounded(2) == 0)
            out.appendInPlace(piece);
        else
            out.append(piece.toString()); // gone once appended
        at += size;
    }
    if (!out.finish()) {
        file.discard();
        return std::nullopt;
    }
    const std::optional<PendingWrite> pending = file.finish(false, nullptr);
    return pending ? folder.read(pending->temp) : QByteArray("<not finished>");
}

QString sampleText(qsizetype size, const QString &alphabet, int seed)
{
    QRandomGenerator random{quint32(seed)};
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

} // namespace

Q_DECLARE_METATYPE(TextEncoding)

class TestTextPieceWriter : public QObject {
    Q_OBJECT

private slots:
    void sameBytesAsTheWhole_data();
    void sameBytesAsTheWhole();
};

void TestTextPieceWriter::sameBytesAsTheWhole_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QString>("alphabet");
    const QString pairs = u"ab 😀 €ж"_s;
    const QString loneHalves = pairs + QChar(0xD800) + QChar(0xDC00);
    QTest::newRow("UTF-8 with pairs") << TextEncoding::utf8(false) << pairs;
    QTest::newRow("UTF-8 with a mark") << TextEncoding::utf8(true) << pairs;
    QTest::newRow("UTF-8, lone halves") << TextEncoding::utf8(false) << loneHalves;
    QTest::newRow("UTF-16LE with pairs") << TextEncoding::utf16LE() << pairs;
    QTest::newRow("UTF-16BE, lone halves") << TextEncoding::utf16BE() << loneHalves;
    QTest::newRow("1251") << TextEncoding::cp1251() << u"ab жЖ\r\n"_s;
    QTest::newRow("1251, a character it lacks") << TextEncoding::cp1251() << u"abcdж€😀"_s;
}

void TestTextPieceWriter::sameBytesAsTheWhole()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(QString, alphabet);
    TestFolder folder;
    for (const qsizetype size :
         {qsizetype(0), qsizetype(1), qsizetype(300), 5 * TextPieceWriter::Chunk + 7}) {
        const QString text = sampleText(size, alphabet, int(size));
        QByteArray whole;
        const bool encodable = encoding.encode(text, whole);
        for (const bool threaded : {false, true}) {
            for (int seed = 1; seed <= 2; ++seed) {
                const std::optional<QByteArray> bytes
                    = written(folder, text, encoding, threaded, seed);
                QCOMPARE(bytes.has_value(), encodable);
                if (encodable)
                    QVERIFY2(*bytes == whole, qPrintable(u"size %1"_s.arg(size)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestTextPieceWriter)
#include "tst_textpiecewriter.moc"
