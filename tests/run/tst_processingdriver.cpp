#include "RunFixture.h"

#include "engine/EngineState.h"
#include "run/ReviewSession.h"

#include <QDirIterator>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// A change the options dialog makes to the option state while a run shows an occurrence.
using OptionChange = std::function<void(OptionState &)>;

struct RunTrace {
    QStringList files; // contents after the run
    QStringList report;
    QStringList shown;
    QStringList backups;
};

// A replace run over files with the needle in both cases, asking for each occurrence, with the
// rest of the list worked through ahead once an answer for all is given. At the first showing
// `change` (if any) is made to the option state, and the occurrence answered `first`; at the
// second it is deleted when `deleteSecond`; every other one is replaced.
RunTrace traceRun(const OptionChange &change, ModalResult first, bool deleteSecond)
{
    RunFixture f;
    QStringList paths;
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        paths << f.write(QString::fromLatin1(name), "needle NEEDLE Needle needle");
    f.host.reviews << [&](ReviewSession &) {
        if (change)
            change(f.core.options);
        return first;
    };
    if (deleteSecond)
        f.host.reviews << ScriptedHost::deleteOccurrence();
    RunRequest request;
    request.files = paths;
    request.searchPattern = u"needle"_s;
    request.replacementPattern = u"pin"_s;
    request.bytePath = true;
    request.workers = 2;
    f.run(request);
    // Each run has a folder of its own: paths are told relative to it.
    const auto relative = [&](QString text) { return text.replace(f.dir.path(), u"@"_s); };
    RunTrace trace{{}, {}, f.host.shownText, {}};
    for (const QString &line : std::as_const(f.host.reportLines))
        trace.report << relative(line);
    for (const QString &path : std::as_const(paths))
        trace.files << QString::fromLatin1(f.read(path));
    QDirIterator backups(f.dir.path() + u"/program"_s, QDir::Files, QDirIterator::Subdirectories);
    while (backups.hasNext())
        trace.backups << relative(backups.next());
    return trace;
}

} // namespace

Q_DECLARE_METATYPE(OptionChange)

class TestProcessingDriver : public QObject {
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void busyWhileRunning();
    void findModeLeavesTheReplacementAlone();
    void plainModeLeavesCompiledBlocks();
    void runWorksOnACopyOfTheList();
    void optionsAreTakenOnce_data();
    void optionsAreTakenOnce();
};

void TestProcessingDriver::refusals_data()
{
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("wildcards");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("backupFolder"); // empty: no backups

    QTest::newRow("no files, no pattern")
        << false << QString() << false << u"Нечего обрабатывать"_s << QString();
    QTest::newRow("no pattern") << true << QString() << false << u"Нечего искать"_s << QString();
    QTest::newRow("only a star") << true << u"[*]"_s << true << u"Нечего искать"_s << QString();
    QTest::newRow("only unknown tokens")
        << true << u"[q][I]"_s << true << u"Нечего искать"_s << QString();
    // Each copy would land on its file: never made, never taken for another program's change.
    QTest::newRow("backup folder holds the file")
        << true << u"[*]"_s << false
        << u"Папка резервных копий / содержит обрабатываемый файл <file>. Выберите другую папку."_s
        << u"/"_s;
}

void TestProcessingDriver::refusals()
{
    QFETCH(bool, withFiles);
    QFETCH(QString, search);
    QFETCH(bool, wildcards);
    QFETCH(QString, message);
    QFETCH(QString, backupFolder);
    RunFixture f;
    f.wildcards = wildcards;
    f.core.options.MakeBackups = !backupFolder.isEmpty();
    f.core.options.BackupFolder = backupFolder;
    const QString file = f.write(u"a.txt"_s, "[*]");
    f.replace(withFiles ? QStringList{file} : QStringList{}, search, u"x"_s);
    QCOMPARE(f.host.messages, QStringList{message.replace(u"<file>"_s, file)});
    QVERIFY(f.host.reportLines.isEmpty());
    QCOMPARE(f.read(file), QByteArray("[*]"));
    QVERIFY(!f.core.engine.RunInProgress);
}

void TestProcessingDriver::busyWhileRunning()
{
    RunFixture f;
    const QString file = f.write(u"a.txt"_s, "a");
    ProcessingDriver::Outcome inner = ProcessingDriver::Outcome::Ran;
    f.host.reviews << [&](ReviewSession &) {
        inner = f.find({file}, u"a"_s); // the command pressed again while a run shows
        return ModalResult::Yes;
    };
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(inner, ProcessingDriver::Outcome::Busy);
    QCOMPARE(f.read(file), QByteArray("b"));
}

void TestProcessingDriver::findModeLeavesTheReplacementAlone()
{
    RunFixture f;
    f.wildcards = true;
    const QString file = f.write(u"a.txt"_s, "ab");
    f.replace({file}, u"a"_s, u"[1I]"_s);
    QCOMPARE(f.core.engine.ReplaceBlockCount, 1);
    RunRequest request;
    request.files = {file};
    request.searchPattern = u"b"_s;
    request.replacementPattern = u"x[2I]y"_s;
    request.replaceWildcards = true;
    request.replaceMode = false;
    f.run(request);
    QCOMPARE(f.core.engine.ReplaceBlockCount, 1);
    QCOMPARE(f.core.engine.ReplaceBlocks[1].Kind, mkCounter);
}

void TestProcessingDriver::plainModeLeavesCompiledBlocks()
{
    RunFixture f;
    f.wildcards = true;
    const QString file = f.write(u"a.txt"_s, "a[?]");
    f.find({file}, u"a[?]"_s);
    QCOMPARE(f.core.engine.FindBlockCount, 2);
    f.wildcards = false;
    f.host.shownText.clear();
    f.find({file}, u"a[?]"_s);
    QCOMPARE(f.host.shownText, QStringList{u"a[?]"_s});
    QCOMPARE(f.core.engine.FindBlockCount, 2);
}

void TestProcessingDriver::runWorksOnACopyOfTheList()
{
    RunFixture f;
    const QString a = f.write(u"a.txt"_s, "x");
    const QString b = f.write(u"b.txt"_s, "x");
    RunRequest request;
    request.files = {a, b};
    request.searchPattern = u"x"_s;
    request.replacementPattern = u"y"_s;
    f.host.reviews << [&](ReviewSession &) {
        request.files.clear(); // the window's list changes while the run shows an occurrence
        return ModalResult::Yes;
    };
    f.core.driver.ProcessFilesExecute(request);
    QCOMPARE(f.read(b), QByteArray("y"));
}

void TestProcessingDriver::optionsAreTakenOnce_data()
{
    QTest::addColumn<OptionChange>("change");
    QTest::addColumn<ModalResult>("first");
    QTest::addColumn<bool>("deleteSecond");
    QTest::newRow("match case, then yes to all")
        << OptionChange([](OptionState &o) { o.SearchOptions.MatchCase = true; })
        << ModalResult::YesToAll << false;
    QTest::newRow("confirmation off")
        << OptionChange([](OptionState &o) { o.ConfirmReplace = false; }) << ModalResult::Yes
        << false;
    QTest::newRow("backups on") << OptionChange([](OptionState &o) { o.MakeBackups = true; })
                                << ModalResult::Yes << false;
    QTest::newRow("dynamic editing off, then Del")
        << OptionChange([](OptionState &o) { o.DynamicEdit = false; }) << ModalResult::No << true;
}

// The options dialog may change the option state while a run shows an occurrence: the run
// goes by the options it started with, on its own search and on the files worked ahead alike.
void TestProcessingDriver::optionsAreTakenOnce()
{
    QFETCH(OptionChange, change);
    QFETCH(ModalResult, first);
    QFETCH(bool, deleteSecond);
    const RunTrace unchanged = traceRun({}, first, deleteSecond);
    const RunTrace changed = traceRun(change, first, deleteSecond);
    QCOMPARE(changed.files, unchanged.files);
    QCOMPARE(changed.report, unchanged.report);
    QCOMPARE(changed.shown, unchanged.shown);
    QCOMPARE(changed.backups, unchanged.backups);
}

QTEST_GUILESS_MAIN(TestProcessingDriver)
#include "tst_processingdriver.moc"
