#include "BatchToolFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

// The manual page and the bash completion kept in packaging/ know every option the tool has.
class TestBatchDocs : public QObject {
    Q_OBJECT
private slots:
    void everyOptionIsDocumented_data();
    void everyOptionIsDocumented();
};

void TestBatchDocs::everyOptionIsDocumented_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("dash"); // how the file writes a "-"
    QTest::newRow("manual page") << u"quorvex-batch.1"_s << u"\\-"_s;
    QTest::newRow("bash completion") << u"quorvex-batch.bash"_s << u"-"_s;
}

void TestBatchDocs::everyOptionIsDocumented()
{
    QFETCH(QString, file);
    QFETCH(QString, dash);
    BatchToolFixture f;
    QCOMPARE(f.run({u"--help"_s}), 0);
    QFile doc(QString::fromUtf8(QUORVEX_TESTS_ROOT) + u"/../packaging/"_s + file);
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    const QRegularExpression option(u"(?<![\\w-])(--?[A-Za-z][\\w-]*)"_s);
    QStringList missing;
    for (auto it = option.globalMatch(f.out); it.hasNext();) {
        QString name = it.next().captured(1);
        name.replace(u"-"_s, dash);
        if (!text.contains(name))
            missing << name;
    }
    missing.removeDuplicates();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
}

QTEST_GUILESS_MAIN(TestBatchDocs)
#include "tst_batchdocs.moc"
