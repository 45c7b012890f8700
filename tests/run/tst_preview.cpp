#include "RunFixture.h"

#include "lang/MessageId.h"
#include "run/PreviewLines.h"
#include "run/PreviewRun.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

using Files = QList<std::pair<QString, QByteArray>>;

// A preview is the run itself, dry: applying it with some occurrences unticked must write
// exactly what a run answering no to those same occurrences writes.
class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void applyEqualsTheRun_data();
    void applyEqualsTheRun();
    void fileChangedSincePreviewIsNotWritten();
    void aheadListsAsTheReview_data();
    void aheadListsAsTheReview();
    void listKeepsEachReplacement();
};

void TestPreview::applyEqualsTheRun_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("wildcards");
    QTest::addColumn<QString>("ticks"); // one letter a row of the preview: y ticked, n not
    // The reference's answers, in the order it meets occurrences, when not the ticks: a run
    // that skips an occurrence may meet one inside it, which the preview (replacing all) did
    // not list, and which applying leaves alone.
    QTest::addColumn<QString>("answers");

    const Files plain{{u"a.txt"_s, "one cat, two cat\ncat"},
                      {u"b.txt"_s, "no match"},
                      {u"c.txt"_s, "cat\r\ncat"}};
    QTest::newRow("all ticked") << plain << u"cat"_s << u"dog"_s << false << u"yyyyy"_s
                                << QString();
    QTest::newRow("some ticked") << plain << u"cat"_s << u"lion"_s << false << u"ynnyn"_s
                                 << QString();
    QTest::newRow("none ticked") << plain << u"cat"_s << u"x"_s << false << u"nnnnn"_s << QString();
    QTest::newRow("running numbers")
        << plain << u"cat"_s << u"[1I]"_s << true << u"ynyny"_s << QString();
    QTest::newRow("overlapping, first skipped")
        << Files{{u"a.txt"_s, "aaaa aa"}} << u"aa"_s << u"b"_s << false << u"nyy"_s << u"nnyy"_s;
    QTest::newRow("RTF") << Files{{u"a.rtf"_s, "{\\rtf1\\ansi {\\b cat} and cat\\par cat}"}}
                         << u"cat"_s << u"\u043a\u043e\u0442"_s << false << u"yny"_s << QString();
    QTest::newRow("CP1251") << Files{{u"a.txt"_s, "\xcf\xf0\xe8\xe2\xe5\xf2 cat cat"}} << u"cat"_s
                            << u"\u043a\u043e\u0442"_s << false << u"ny"_s << QString();
}

void TestPreview::applyEqualsTheRun()
{
    QFETCH(Files, files);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, wildcards);
    QFETCH(QString, ticks);
    QFETCH(QString, answers);

    RunFixture previewed;
    RunFixture reference;
    QStringList previewFiles;
    QStringList referenceFiles;
    for (const auto &[name, bytes] : files) {
        previewFiles << previewed.write(name, bytes);
        referenceFiles << reference.write(name, bytes);
    }
    RunRequest request;
    request.files = previewFiles;
    request.searchPattern = search;
    request.replacementPattern = replacement;
    request.findWildcards = request.replaceWildcards = wildcards;
    request.bytePath = true; // as the window asks: files are read ahead where they can be
    request.workers = 2;
    PreviewRun preview(previewed.core, previewed.host);
    QCOMPARE(preview.preview(request), ProcessingDriver::Outcome::Ran);
    for (int i = 0; i < files.size(); ++i) // the preview wrote nothing
        QCOMPARE(previewed.read(previewFiles[i]), files[i].second);

    QCOMPARE(preview.list().size(), ticks.size());
    for (qsizetype i = 0; i < ticks.size(); ++i)
        preview.list().setTicked(i, ticks[i] == u'y');
    preview.renumber();

    for (const QChar c : answers.isEmpty() ? ticks : answers)
        reference.host.reviews << ScriptedHost::answer(c == u'y' ? ModalResult::Yes
                                                                 : ModalResult::No);
    reference.wildcards = wildcards;
    reference.replace(referenceFiles, search, replacement);
    QStringList made; // what the reference put in, in order
    for (const QString &o : std::as_const(reference.host.occurrences)) {
        if (o.contains(u'>'))
            made << o.mid(o.indexOf(u'>') + 1);
    }
    QStringList listed; // what the preview says applying will put in
    for (qsizetype i = 0; i < preview.list().size(); ++i) {
        if (preview.list().at(i).ticked)
            listed << preview.list().replacement(i);
    }
    QCOMPARE(listed, made);

    QCOMPARE(preview.apply(), ProcessingDriver::Outcome::Ran);
    for (int i = 0; i < files.size(); ++i)
        QCOMPARE(previewed.read(previewFiles[i]), reference.read(referenceFiles[i]));
    QCOMPARE(preview.LastTotals().replacements, reference.core.driver.LastTotals().replacements);
}

void TestPreview::fileChangedSincePreviewIsNotWritten()
{
    RunFixture f;
    const QString a = f.write(u"a.txt"_s, "cat");
    const QString b = f.write(u"b.txt"_s, "cat");
    RunRequest request;
    request.files = {a, b};
    request.searchPattern = u"cat"_s;
    request.replacementPattern = u"dog"_s;
    PreviewRun preview(f.core, f.host);
    preview.preview(request);
    QCOMPARE(preview.list().size(), 2);
    f.write(u"a.txt"_s, "cat cat");
    preview.apply();
    QCOMPARE(f.read(a), QByteArray("cat cat"));
    QCOMPARE(f.read(b), QByteArray("dog"));
    QVERIFY(f.host.reportLines.contains(f.core.messages.message(MsgFileChangedOnDisk, a)));
    QCOMPARE(preview.LastTotals().filesFailed, 1);
}

void TestPreview::aheadListsAsTheReview_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("regex");

    const Files plain{{u"a.txt"_s, "one cat, two cat\ncat"},
                      {u"b.txt"_s, "no match"},
                      {u"c.txt"_s, "cat\r\ncat"}};
    QTest::newRow("longer") << plain << u"cat"_s << u"lion"_s << false;
    QTest::newRow("shorter") << plain << u"cat"_s << u"x"_s << false;
    QTest::newRow("removed") << plain << u"cat"_s << QString() << false;
    QTest::newRow("longer than kept") << plain << u"cat"_s << QString(100, u'l') << false;
    QTest::newRow("overlapping") << Files{{u"a.txt"_s, "aaaa aa"}} << u"aa"_s << u"b"_s << false;
    QTest::newRow("regex, replacement from the match")
        << plain << u"(c)(a)t"_s << u"$2$1$1$2"_s << true;
    QTest::newRow("RTF, one place refused")
        << Files{{u"a.rtf"_s, "{\\rtf1\\ansi {\\b cat} and cat\\par cat}"}} << u"cat"_s
        << u"\u043a\u043e\u0442"_s << false;
    QTest::newRow("CP1251") << Files{{u"a.txt"_s, "\xcf\xf0\xe8\xe2\xe5\xf2 cat cat"}} << u"cat"_s
                            << u"\u043a\u043e\u0442"_s << false;
    QTest::newRow("HTML in ASCII, declared 1251")
        << Files{{u"a.htm"_s, "<meta charset=\"windows-1251\"><p>cat</p>\r\n<p>cat cat</p>"}}
        << u"cat"_s << u"lion"_s << false;
    QTest::newRow("UTF-8, wide letters before")
        << Files{{u"a.txt"_s, "\xf0\x9f\x98\x80 cat \xd0\xba cat"}} << u"cat"_s
        << u"\u043a\u043e\u0442"_s << false;
}

// Files read ahead on worker threads are listed exactly as the run's own review lists them.
void TestPreview::aheadListsAsTheReview()
{
    QFETCH(Files, files);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, regex);

    RunFixture f;
    RunRequest request;
    for (const auto &[name, bytes] : files)
        request.files << f.write(name, bytes);
    request.searchPattern = search;
    request.replacementPattern = replacement;
    request.regex = regex;
    PreviewRun reviewed(f.core, f.host);
    QCOMPARE(reviewed.preview(request), ProcessingDriver::Outcome::Ran);
    request.bytePath = true;
    request.workers = 2;
    PreviewRun ahead(f.core, f.host);
    QCOMPARE(ahead.preview(request), ProcessingDriver::Outcome::Ran);

    const PreviewList &want = reviewed.list();
    const PreviewList &got = ahead.list();
    QVERIFY(want.size() > 0);
    QCOMPARE(got.fileCount(), want.fileCount());
    for (qsizetype i = 0; i < want.fileCount(); ++i) {
        QCOMPARE(got.file(i).path, want.file(i).path);
        QCOMPARE(got.file(i).count, want.file(i).count);
        QVERIFY(got.file(i).stamp && got.file(i).stamp->sameContent(*want.file(i).stamp));
    }
    QCOMPARE(got.size(), want.size());
    for (qsizetype i = 0; i < want.size(); ++i) {
        QCOMPARE(got.at(i).start, want.at(i).start);
        QCOMPARE(got.at(i).length, want.at(i).length);
        QCOMPARE(got.replacement(i).isNull(), want.replacement(i).isNull());
        QCOMPARE(got.replacement(i), want.replacement(i));
        QCOMPARE(got.isCut(i), want.isCut(i));
    }
    // Each row is at its occurrence in the file as read, after deletions as after any other
    // replacement.
    PreviewLines lines(got);
    for (qsizetype i = 0; i < got.size() && !regex; ++i)
        QCOMPARE(lines.row(i).found, search);
    QCOMPARE(ahead.LastTotals().occurrences, reviewed.LastTotals().occurrences);
    QCOMPARE(ahead.LastTotals().replacements, reviewed.LastTotals().replacements);
}

// The list shares replacement texts between its occurrences: each still reads as it was given,
// however many times renumbering gives it anew.
void TestPreview::listKeepsEachReplacement()
{
    const qsizetype kept = PreviewList::KeptReplacement;
    const QString longer(kept + 20, u'a');
    const QStringList texts{QString(),
                            u""_s,
                            u"x"_s,
                            QString(u"x"_s.data(), 1), // the same characters, not shared
                            longer,
                            longer.left(kept) + u"b"_s, // cut, the same as `longer`
                            longer.left(kept)};
    PreviewList list;
    QList<QString> want;
    QRandomGenerator random(7);
    for (int i = 0; i < 40; ++i) {
        if (i % 8 == 0)
            list.addFile(u"f%1"_s.arg(i), std::nullopt);
        want << texts[random.bounded(int(texts.size()))];
        list.add(i * 10, 3, want.back());
    }
    for (int step = 0; step < 2000; ++step) {
        const int i = random.bounded(int(want.size()));
        want[i] = step % 3 == 0 ? u"%1"_s.arg(step) : texts[random.bounded(int(texts.size()))];
        list.setReplacement(i, want[i]);
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        QCOMPARE(list.replacement(i).isNull(), want[i].isNull());
        QCOMPARE(list.replacement(i), want[i].left(kept));
        QCOMPARE(list.isCut(i), want[i].size() > kept);
    }
}

QTEST_GUILESS_MAIN(TestPreview)
#include "tst_preview.moc"
