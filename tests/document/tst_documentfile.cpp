#include "document/Cp1251.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/EncodingSniffer.h"
#include "document/LargeFileReader.h"
#include "document/PlainTextCodec.h"
#include "io/IoLevel.h"

#include <QDir>
#include <QFile>

#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TextEncoding::Kind)
Q_DECLARE_METATYPE(LoadStatus)
Q_DECLARE_METATYPE(LineBreakStyle)

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

QByteArray allBytesFrom1()
{
    QByteArray bytes;
    for (int byte = 1; byte < 256; ++byte)
        bytes.append(static_cast<char>(byte));
    return bytes;
}

QByteArray utf16(const QString &text, QStringConverter::Encoding encoding)
{
    return QStringEncoder(encoding)(text);
}

QByteArray koi8(const QString &text)
{
    return QStringEncoder("koi8-r")(text);
}

// A file that another program appends to as soon as its first bytes have been read.
class FileEditedWhileRead : public QFile {
public:
    using QFile::QFile;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = QFile::readData(data, maxSize);
        if (!m_edited) {
            m_edited = true;
            QFile other(fileName());
            if (other.open(QIODevice::Append))
                other.write("edited meanwhile");
        }
        return got;
    }

private:
    bool m_edited = false;
};

} // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void editInMiddle_changesOnlyThatRange_data();
    void editInMiddle_changesOnlyThatRange();
    void lineBreaks_kept_data();
    void lineBreaks_kept();
    void binary_data();
    void binary();
    void missingAndUnreadable_leaveDocument();
    void editWhileReading_isNotOverwritten_data();
    void editWhileReading_isNotOverwritten();
    void unencodableText_isNotWritten();
    void failedSave_leavesOriginal();
    void failedWrite_leavesOriginal();
    void busyErrors_data();
    void busyErrors();
    void symlink_staysLink();
    void permissionsAndOwner_kept();
    void newFile_isCreated();
    void largeFilesReadInSlices_data();
    void largeFilesReadInSlices();
    void surrogatePairsAcrossPieces_data();
    void surrogatePairsAcrossPieces();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    Document loaded(const QString &name, LoadStatus expected = LoadStatus::Loaded);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDocumentFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

Document TestDocumentFile::loaded(const QString &name, LoadStatus expected)
{
    Document doc;
    const bool asExpected = LoadDocument(doc, path(name)) == expected;
    // Records a failure; the caller's own checks then fail on the document.
    QTest::qVerify(asExpected, "LoadDocument(doc, path(name)) == expected", qPrintable(name),
                   __FILE__, __LINE__);
    return doc;
}

void TestDocumentFile::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding::Kind>("kind");
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<QString>("text");
    using K = TextEncoding::Kind;
    const QString russian = u"Привет, мир!\r\nЁлка"_s;
    const QString wide = u"Mixed 中文 😀 Ж"_s;

    QTest::newRow("utf-8") << u"a.txt"_s << russian.toUtf8() << K::Utf8 << "UTF-8"_ba << false
                           << russian;
    QTest::newRow("utf-8 bom") << u"a.txt"_s << "\xEF\xBB\xBF"_ba + russian.toUtf8() << K::Utf8
                               << "UTF-8"_ba << true << russian;
    // Pure ASCII is UTF-8: a replacement may then bring any character.
    QTest::newRow("empty") << u"a.txt"_s << QByteArray() << K::Utf8 << "UTF-8"_ba << false << u""_s;
    QTest::newRow("utf-8 bom only")
        << u"a.txt"_s << "\xEF\xBB\xBF"_ba << K::Utf8 << "UTF-8"_ba << true << u""_s;
    QTest::newRow("utf-8 bom twice") << u"a.txt"_s << "\xEF\xBB\xBF\xEF\xBB\xBFx"_ba << K::Utf8
                                     << "UTF-8"_ba << true << u"\uFEFFx"_s;
    QTest::newRow("utf-8 noncharacter")
        << u"a.txt"_s << "a\xEF\xBF\xBE"_ba << K::Utf8 << "UTF-8"_ba << false << u"a\uFFFE"_s;
    QTest::newRow("utf-16le") << u"a.txt"_s
                              << "\xFF\xFE"_ba + utf16(wide, QStringConverter::Utf16LE)
                              << K::Utf16LE << "UTF-16LE"_ba << true << wide;
    QTest::newRow("utf-16be") << u"a.txt"_s
                              << "\xFE\xFF"_ba + utf16(wide, QStringConverter::Utf16BE)
                              << K::Utf16BE << "UTF-16BE"_ba << true << wide;
    QTest::newRow("utf-16le lone surrogate") << u"a.txt"_s << "\xFF\xFE\x00\xD8\x41\x00"_ba
                                             << K::Utf16LE << "UTF-16LE"_ba << true << QString();
    QTest::newRow("1251 every byte")
        << u"a.txt"_s << allBytesFrom1() << K::Cp1251 << "windows-1251"_ba << false
        << Cp1251::decode(allBytesFrom1());
    QTest::newRow("1251 russian") << u"a.txt"_s << "\xCF\xF0\xE8\xE2\xE5\xF2"_ba << K::Cp1251
                                  << "windows-1251"_ba << false << u"Привет"_s;
    QTest::newRow("ascii") << u"a.txt"_s << "plain ascii\r\n"_ba << K::Utf8 << "UTF-8"_ba << false
                           << u"plain ascii\r\n"_s;
    QTest::newRow("invalid utf-8") << u"a.txt"_s << "\xC3\x28 \xD0\x9F"_ba << K::Cp1251
                                   << "windows-1251"_ba << false << QString();
    QTest::newRow("utf-8 encoded surrogate")
        << u"a.txt"_s << "\xED\xA0\x80"_ba << K::Cp1251 << "windows-1251"_ba << false << QString();
    QTest::newRow("utf-8 bom, invalid after")
        << u"a.txt"_s << "\xEF\xBB\xBF\xC3\x28"_ba << K::Cp1251 << "windows-1251"_ba << false
        << QString();
    QTest::newRow("truncated utf-8")
        << u"a.txt"_s << "ab\xD0"_ba << K::Cp1251 << "windows-1251"_ba << false << QString();

    const QByteArray koiHtml = "<html><head><meta charset=\"koi8-r\"></head><body>"_ba
        + koi8(u"Привет"_s) + "</body></html>"_ba;
    QTest::newRow("html koi8-r")
        << u"page.HTM"_s << koiHtml << K::Named << "KOI8-R"_ba << false
        << u"<html><head><meta charset=\"koi8-r\"></head><body>Привет</body></html>"_s;
    QTest::newRow("koi8-r bytes in txt")
        << u"page.txt"_s << koiHtml << K::Cp1251 << "windows-1251"_ba << false << QString();
    QTest::newRow("html iso-8859-2")
        << u"p.shtml"_s
        << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\xB3\xF3\xBF"_ba
        << K::Named << "ISO-8859-2"_ba << false
        << u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">łóż"_s;
    QTest::newRow("html ascii declares koi8-r") << u"p.html"_s << "<meta charset=koi8-r>hi"_ba
                                                << K::Named << "KOI8-R"_ba << false << QString();
    QTest::newRow("html declares utf-16") << u"p.html"_s << "<meta charset=utf-16>hi"_ba << K::Utf8
                                          << "UTF-8"_ba << false << u"<meta charset=utf-16>hi"_s;
    QTest::newRow("html shift_jis, not reversible")
        << u"p.html"_s << "<meta charset=shift_jis>\xED\x40"_ba << K::Cp1251 << "windows-1251"_ba
        << false << QString();
    QTest::newRow("html declares unknown") << u"p.html"_s << "<meta charset=nonsense>\xE0"_ba
                                           << K::Cp1251 << "windows-1251"_ba << false << QString();
    QTest::newRow("html declares utf-8, invalid")
        << u"p.html"_s << "<meta charset=utf-8>\xE0\xE1"_ba << K::Cp1251 << "windows-1251"_ba
        << false << u"<meta charset=utf-8>аб"_s;
}

// Every file is written back byte for byte as it was read.
void TestDocumentFile::roundTrip()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding::Kind, kind);
    QFETCH(QByteArray, charset);
    QFETCH(bool, bom);
    QFETCH(QString, text);
    writeFile(path(name), bytes);

    Document doc;
    QCOMPARE(LoadDocument(doc, path(name)), LoadStatus::Loaded);
    QVERIFY(doc.plainText());
    const TextEncoding &encoding = doc.plainText()->encoding();
    QCOMPARE(encoding.kind(), kind);
    QCOMPARE(encoding.name(), charset);
    QCOMPARE(encoding.hasBom(), bom);
    if (!text.isNull())
        QCOMPARE(doc.text(), text);
    QVERIFY(!doc.isModified());

    // Written afresh under a name of the same kind (the file itself is not written again once
    // it is gone: that is another program's change).
    const QString copy = path(u"copy-"_s + name);
    QVERIFY(SaveDocument(doc, copy).ok());
    QCOMPARE(readFile(copy), bytes);
}

void TestDocumentFile::editInMiddle_changesOnlyThatRange_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QString replacement = u"Замена"_s;
    const QByteArray in1251 = "\xC7\xE0\xEC\xE5\xED\xE0"_ba;
    const QByteArray all = allBytesFrom1();
    QTest::newRow("1251") << u"a.txt"_s << all + "MARK"_ba + all << all + in1251 + all;
    const QByteArray utf8 = u"Ёж\r\n中文"_s.toUtf8();
    QTest::newRow("utf-8") << u"a.txt"_s << utf8 + "MARK"_ba + utf8
                           << utf8 + replacement.toUtf8() + utf8;
    const QByteArray le = utf16(u"Ёж\r\n😀"_s, QStringConverter::Utf16LE);
    QTest::newRow("utf-16le") << u"a.txt"_s
                              << "\xFF\xFE"_ba + le + utf16(u"MARK"_s, QStringConverter::Utf16LE)
            + le << "\xFF\xFE"_ba + le + utf16(replacement, QStringConverter::Utf16LE) + le;
    const QByteArray html = "<meta charset=koi8-r>"_ba + koi8(u"Ёжик"_s);
    QTest::newRow("html koi8-r") << u"a.htm"_s << html + "MARK"_ba + html
                                 << html + koi8(replacement) + html;
}

void TestDocumentFile::editInMiddle_changesOnlyThatRange()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    writeFile(path(name), before);
    Document doc = loaded(name);
    const qsizetype at = doc.view(0).from(0).indexOf(u"MARK");
    QVERIFY(at > 0);
    const QString replacement = u"Замена"_s;
    QVERIFY(doc.canEncode(replacement));
    doc.replace(at, 4, replacement);
    QVERIFY(SaveDocument(doc, path(name)));
    QCOMPARE(readFile(path(name)), after);
}

void TestDocumentFile::lineBreaks_kept_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<LineBreakStyle>("style");
    QTest::addColumn<QByteArray>("inserted");
    QTest::newRow("crlf") << "a\r\nb\r\n"_ba << LineBreakStyle::CrLf << "x\r\ny"_ba;
    QTest::newRow("lf") << "a\nb\n"_ba << LineBreakStyle::Lf << "x\ny"_ba;
    QTest::newRow("cr") << "a\rb\r"_ba << LineBreakStyle::Cr << "x\ry"_ba;
    QTest::newRow("mixed") << "a\r\nb\nc\rd"_ba << LineBreakStyle::Mixed << "x\r\ny"_ba;
    QTest::newRow("none") << "abc"_ba << LineBreakStyle::None << "x\r\ny"_ba;
}

// Loading converts no line break; text typed with CR LF is inserted in the file's style.
void TestDocumentFile::lineBreaks_kept()
{
    QFETCH(QByteArray, bytes);
    QFETCH(LineBreakStyle, style);
    QFETCH(QByteArray, inserted);
    writeFile(path(u"a.txt"_s), bytes);
    Document doc = loaded(u"a.txt"_s);
    QCOMPARE(doc.plainText()->lineBreakStyle(), style);
    QCOMPARE(doc.text(), QString::fromLatin1(bytes));
    doc.replace(doc.length(), 0, doc.toDocumentLineBreaks(u"x\r\ny"));
    QVERIFY(SaveDocument(doc, path(u"a.txt"_s)));
    QCOMPARE(readFile(path(u"a.txt"_s)), bytes + inserted);
}

void TestDocumentFile::binary_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<LoadStatus>("status");
    QTest::newRow("nul") << "abc\0def"_ba << LoadStatus::Binary;
    QTest::newRow("utf-8 bom and nul") << "\xEF\xBB\xBF\0"_ba << LoadStatus::Binary;
    QTest::newRow("utf-16 bom, odd length") << "\xFF\xFE\x41\x00\x42"_ba << LoadStatus::Binary;
    QTest::newRow("utf-16 bom") << "\xFF\xFE\x41\x00"_ba << LoadStatus::Loaded;
}

void TestDocumentFile::binary()
{
    QFETCH(QByteArray, bytes);
    QFETCH(LoadStatus, status);
    writeFile(path(u"b.txt"_s), bytes);
    Document doc;
    QCOMPARE(LoadDocument(doc, path(u"b.txt"_s)), status);
    QCOMPARE(doc.isBinary(), status == LoadStatus::Binary);
    if (status != LoadStatus::Binary)
        return;
    doc.replace(0, 1, u"Z");
    QCOMPARE(SaveDocument(doc, path(u"b.txt"_s)).status, SaveStatus::Binary);
    QCOMPARE(readFile(path(u"b.txt"_s)), bytes);
}

void TestDocumentFile::missingAndUnreadable_leaveDocument()
{
    Document doc(u"kept"_s);
    QCOMPARE(LoadDocument(doc, path(u"missing.txt"_s)), LoadStatus::Missing);
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder.txt"_s));
    QCOMPARE(LoadDocument(doc, path(u"folder.txt"_s)), LoadStatus::Unreadable);
    QCOMPARE(doc.text(), u"kept"_s);
}

void TestDocumentFile::editWhileReading_isNotOverwritten_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::newRow("read whole") << qsizetype(1000);
    QTest::newRow("read in slices") << qsizetype(LargeFileReader::Threshold + 10);
}

// The stamp a document is written against describes the file before its first byte was read.
void TestDocumentFile::editWhileReading_isNotOverwritten()
{
    QFETCH(qsizetype, size);
    const QString name = path(u"a.txt"_s);
    writeFile(name, QByteArray(size, 'a'));
    FileEditedWhileRead file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    Document doc;
    QCOMPARE(DocumentFile::load(doc, file, name), LoadStatus::Loaded);
    file.close();
    doc.replace(0, 1, u"b");
    QCOMPARE(SaveDocument(doc, name).status, SaveStatus::ChangedOnDisk);
    QVERIFY(readFile(name).endsWith("edited meanwhile"));
}

void TestDocumentFile::unencodableText_isNotWritten()
{
    writeFile(path(u"a.txt"_s), "\xCF\xF0\xE8\xE2\xE5\xF2"_ba);
    Document doc = loaded(u"a.txt"_s);
    QVERIFY(!doc.canEncode(u"中"));
    doc.replace(0, 1, u"中");
    const SaveResult result = SaveDocument(doc, path(u"a.txt"_s));
    QCOMPARE(result.status, SaveStatus::NotEncodable);
    QVERIFY(!result);
    QCOMPARE(readFile(path(u"a.txt"_s)), "\xCF\xF0\xE8\xE2\xE5\xF2"_ba);
}

// The folder of the target is a regular file, so nothing can be created there.
void TestDocumentFile::failedSave_leavesOriginal()
{
    writeFile(path(u"a.txt"_s), "original"_ba);
    Document doc = loaded(u"a.txt"_s);
    doc.replace(0, 8, u"changed");
    const SaveResult result = SaveDocument(doc, path(u"a.txt/x.txt"_s));
    QCOMPARE(result.status, SaveStatus::WriteFailed);
    QVERIFY(!result.errorString.isEmpty());
    // The portable file calls do not know the system's number.
    QCOMPARE(result.errorCode, IoLevel::portable() ? 0 : ENOTDIR);
    QVERIFY(!result.busy());
    QCOMPARE(readFile(path(u"a.txt"_s)), "original"_ba);
}

// Only a file in use is worth the question that says so; every other reason is told as it is.
void TestDocumentFile::busyErrors_data()
{
    QTest::addColumn<int>("errorCode");
    QTest::addColumn<bool>("busy");
    QTest::newRow("busy") << EBUSY << true;
    QTest::newRow("text file busy") << ETXTBSY << true;
    QTest::newRow("would block (locked)") << EAGAIN << true;
    QTest::newRow("permission denied") << EACCES << false;
    QTest::newRow("name too long") << ENAMETOOLONG << false;
    QTest::newRow("no space") << ENOSPC << false;
    QTest::newRow("read-only file system") << EROFS << false;
    QTest::newRow("not known") << 0 << false;
}

void TestDocumentFile::busyErrors()
{
    QFETCH(int, errorCode);
    QFETCH(bool, busy);
    QCOMPARE((SaveResult{SaveStatus::WriteFailed, {}, errorCode}.busy()), busy);
    QVERIFY(!(SaveResult{SaveStatus::ChangedOnDisk, {}, errorCode}.busy()));
}

// A write that fails part-way (file size limit) leaves the old file and no temporary file.
void TestDocumentFile::failedWrite_leavesOriginal()
{
#ifdef Q_OS_UNIX
    writeFile(path(u"a.txt"_s), "original"_ba);
    Document doc = loaded(u"a.txt"_s);
    doc.replace(0, 8, QString(100000, u'x'));

    struct rlimit old { };
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult result = SaveDocument(doc, path(u"a.txt"_s));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(result.status, SaveStatus::WriteFailed);
    QCOMPARE(result.errorCode, IoLevel::portable() ? 0 : EFBIG);
    QCOMPARE(readFile(path(u"a.txt"_s)), "original"_ba);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"a.txt"_s});
#else
    QSKIP("needs a file size limit");
#endif
}

void TestDocumentFile::symlink_staysLink()
{
    QVERIFY(QDir(m_dir->path()).mkdir(u"real"_s));
    writeFile(path(u"real/target.txt"_s), "one two"_ba);
    QVERIFY(QFile::link(u"real/target.txt"_s, path(u"link.txt"_s)));
    Document doc = loaded(u"link.txt"_s);
    doc.replace(4, 3, u"three");
    QVERIFY(SaveDocument(doc, path(u"link.txt"_s)));
    QVERIFY(QFileInfo(path(u"link.txt"_s)).isSymLink());
    QCOMPARE(readFile(path(u"real/target.txt"_s)), "one three"_ba);
    QCOMPARE(QDir(path(u"real"_s)).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"target.txt"_s});
}

void TestDocumentFile::permissionsAndOwner_kept()
{
    writeFile(path(u"a.txt"_s), "abc"_ba);
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadGroup | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(path(u"a.txt"_s), permissions));
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path(u"a.txt"_s));
    // The owner is kept only where the file calls can keep it.
    const bool root = ::geteuid() == 0 && IoLevel::guarantees().attributes;
    if (root)
        QCOMPARE(::chown(native.constData(), 4321, 4322), 0);
#endif
    Document doc = loaded(u"a.txt"_s);
    doc.replace(0, 1, u"A");
    QVERIFY(SaveDocument(doc, path(u"a.txt"_s)));
    QCOMPARE(readFile(path(u"a.txt"_s)), "Abc"_ba);
    QCOMPARE(QFile::permissions(path(u"a.txt"_s))
                 & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
             permissions);
#ifdef Q_OS_UNIX
    if (root) {
        struct stat st { };
        QCOMPARE(::stat(native.constData(), &st), 0);
        QCOMPARE(st.st_uid, uid_t(4321));
        QCOMPARE(st.st_gid, gid_t(4322));
    }
#endif
}

void TestDocumentFile::newFile_isCreated()
{
    Document doc(u"новый"_s);
    QVERIFY(SaveDocument(doc, path(u"new.txt"_s)));
    QCOMPARE(readFile(path(u"new.txt"_s)), "\xED\xEE\xE2\xFB\xE9"_ba);
}

void TestDocumentFile::largeFilesReadInSlices_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("sliced"); // read in slices, not whole

    const qsizetype size = LargeFileReader::Threshold + 123;
    const qsizetype slice = qsizetype(4) << 20;
    auto filled = [size](const QByteArray &unit) {
        QByteArray bytes;
        bytes.reserve(size + unit.size());
        while (bytes.size() < size)
            bytes += unit;
        return bytes;
    };
    QByteArray cyrillic = filled(u"Ёлка x\r\n"_s.toUtf8());
    QTest::newRow("utf-8") << u"a.txt"_s << cyrillic << true;
    QByteArray feff = cyrillic;
    feff.replace(slice, 3, "\xEF\xBB\xBF"); // U+FEFF starting the second slice
    QTest::newRow("utf-8, U+FEFF at a slice") << u"a.txt"_s << feff << true;
    QTest::newRow("utf-8 with a mark") << u"a.txt"_s << "\xEF\xBB\xBF"_ba + cyrillic << true;
    QByteArray late = cyrillic;
    late[late.size() - 2] = '\xD0'; // cut short near the end: not UTF-8 after all
    QTest::newRow("invalid utf-8 at the end") << u"a.txt"_s << late << true;
    QTest::newRow("1251") << u"a.txt"_s << filled("\xCF\xF0\xE8\xE2\xE5\xF2 ") << true;
    QTest::newRow("ascii") << u"a.txt"_s << filled("plain ascii\n") << true;
    QTest::newRow("html declaring koi8-r")
        << u"a.htm"_s << "<meta charset=koi8-r>"_ba + filled("\xF0\xD2 ") << false;
    QTest::newRow("nul bytes") << u"a.txt"_s << filled(QByteArray("a\0", 2)) << false;
    // Six bytes a unit: every slice edge cuts the three bytes of the euro sign.
    QTest::newRow("utf-8 sequences across slices")
        << u"a.txt"_s << filled(u"ж€ "_s.toUtf8()) << true;
    QTest::newRow("html declaring koi8-r, in utf-8")
        << u"a.htm"_s << "<meta charset=koi8-r>"_ba + cyrillic << true;
    QTest::newRow("ascii html declaring koi8-r")
        << u"a.htm"_s << "<meta charset=koi8-r>"_ba + filled("plain ") << false;
    QByteArray nulLate = filled("\xCF\xF0\xE8 ");
    nulLate[nulLate.size() - 1] = '\0';
    QTest::newRow("1251 with a nul byte at the end") << u"a.txt"_s << nulLate << false;
    QTest::newRow("a mark before 1251")
        << u"a.txt"_s << "\xEF\xBB\xBF"_ba + filled("\xCF\xF0 ") << false;
}

// A large file is read in slices; the document must be the one reading it whole gives.
void TestDocumentFile::largeFilesReadInSlices()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, sliced);
    writeFile(path(name), bytes);
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(LargeFileReader::read(file, name).has_value(), sliced);
    Document doc;
    const LoadStatus status = LoadDocument(doc, path(name));
    const EncodingSniffer::Result whole = EncodingSniffer::decode(bytes, name);
    QCOMPARE(status, whole.binary ? LoadStatus::Binary : LoadStatus::Loaded);
    QVERIFY(doc.text() == whole.text);
    QCOMPARE(doc.plainText()->encoding(), whole.encoding);
    doc.setModified(true);
    if (!whole.binary) {
        QVERIFY(SaveDocument(doc, path(name)));
        QVERIFY(readFile(path(name)) == bytes);
    }
}

void TestDocumentFile::surrogatePairsAcrossPieces_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("edit"); // where an edit leaves the gap: -1 none

    // Plain text is written in pieces (the two sides of the edit gap, then slices of about a
    // million characters): a pair cut by either must still be written as one character.
    QTest::newRow("pair across the edit gap") << u"ab😀c"_s.toUtf8() << 3;
    QTest::newRow("pair across a slice") << QByteArray((1 << 20) - 1, 'a') + u"😀b"_s.toUtf8() << -1;
    QTest::newRow("pair at the very end") << QByteArray((1 << 20) - 1, 'a') + u"😀"_s.toUtf8() << -1;
}

void TestDocumentFile::surrogatePairsAcrossPieces()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, edit);
    writeFile(path(u"a.txt"_s), bytes);
    Document doc = loaded(u"a.txt"_s);
    if (edit >= 0) {
        // Replacing the high half by itself puts the gap between the two halves.
        const QString high = doc.mid(edit - 1, 1);
        QVERIFY(high.front().isHighSurrogate());
        QVERIFY(doc.replace(edit - 1, 1, high));
        QVERIFY(doc.pieces()[1].front().isLowSurrogate());
    }
    doc.setModified(true);
    QVERIFY(SaveDocument(doc, path(u"a.txt"_s)));
    QCOMPARE(readFile(path(u"a.txt"_s)), bytes);
}

QTEST_APPLESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
