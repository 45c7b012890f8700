#include "ui/StatusBar.h"

#include <QImage>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

// The status bar's progress: the right edge of the bar after k of N steps, its colour on the
// screen, and that a repaint between steps keeps it.
class TestStatusBar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rightEdge_data();
    void rightEdge();
    void paintedNavyAndKeptByRepaint();
    void darkPaletteTakesItsHighlight();
    void startPaintsNothingAndEndErases();
    void stopButtonOnlyDuringRun();

private:
    static int left() { return 170 + 3; }
};

namespace {

QImage shot(StatusBar &bar)
{
    return bar.grab().toImage();
}

} // namespace

void TestStatusBar::initTestCase()
{
    StatusBar bar;
    if (bar.logicalDpiX() != 96)
        QSKIP("the pixel figures hold at 96 dots per inch");
}

void TestStatusBar::rightEdge_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("width");
    QTest::newRow("N=1: one step fills all 195 pixels") << 1 << 1 << 195;
    QTest::newRow("N=2, k=1: 97.5 rounds to even 98") << 2 << 1 << 98;
    QTest::newRow("N=2, k=2") << 2 << 2 << 195;
    QTest::newRow("N=3, k=1") << 3 << 1 << 65;
    QTest::newRow("N=7, k=3: 83.57") << 7 << 3 << 84;
    QTest::newRow("N=390, k=1: 0.5 rounds to even 0") << 390 << 1 << 0;
    QTest::newRow("N=390, k=2") << 390 << 2 << 1;
    QTest::newRow("N=390, k=3: 1.5 rounds to even 2") << 390 << 3 << 2;
    QTest::newRow("N=390, k=5: 2.5 rounds to even 2") << 390 << 5 << 2;
    QTest::newRow("N=1000, k=1000") << 1000 << 1000 << 195;
}

void TestStatusBar::rightEdge()
{
    QFETCH(int, files);
    QFETCH(int, steps);
    QFETCH(int, width);
    StatusBar bar;
    bar.resize(640, 24);
    bar.ProgressStart(files);
    for (int k = 0; k < steps; ++k)
        bar.ProgressStep(u"f.txt"_s);
    QCOMPARE(bar.ProgressRect().left(), left());
    QCOMPARE(bar.ProgressRect().top(), 3);
    QCOMPARE(bar.ProgressRect().width(), width);
    // Exclusive right edge, as the classic rectangle fill has it.
    QCOMPARE(bar.ProgressRect().left() + bar.ProgressRect().width(), left() + width);
    QCOMPARE(bar.fullRight(), 368);
    QCOMPARE(bar.panelText(0), u"f.txt"_s);
}

void TestStatusBar::paintedNavyAndKeptByRepaint()
{
    StatusBar bar;
    bar.resize(640, 24);
    bar.show();
    bar.ProgressStart(2);
    bar.ProgressStep(u"a.txt"_s);
    const int y = bar.height() / 2;
    QImage image = shot(bar);
    QCOMPARE(QColor(image.pixel(left(), y)), StatusBar::BarColour);
    QCOMPARE(QColor(image.pixel(left() + 97, y)), StatusBar::BarColour);
    QVERIFY(QColor(image.pixel(left() + 98, y)) != StatusBar::BarColour);
    QCOMPARE(QColor(image.pixel(left() + 10, 3)), StatusBar::BarColour);
    QVERIFY(QColor(image.pixel(left() + 10, 2)) != StatusBar::BarColour);
    QVERIFY(QColor(image.pixel(left() + 10, bar.height() - 1)) != StatusBar::BarColour);
    // Whatever repaints the status bar between two steps, the bar stays.
    bar.repaint();
    image = shot(bar);
    QCOMPARE(QColor(image.pixel(left() + 50, y)), StatusBar::BarColour);
    bar.ProgressStep(u"b.txt"_s);
    image = shot(bar);
    QCOMPARE(QColor(image.pixel(left() + 194, y)), StatusBar::BarColour);
    QVERIFY(QColor(image.pixel(left() + 195, y)) != StatusBar::BarColour);
}

void TestStatusBar::darkPaletteTakesItsHighlight()
{
    StatusBar bar;
    QPalette dark = bar.palette();
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::Highlight, QColor(200, 120, 0));
    bar.setPalette(dark);
    bar.resize(640, 24);
    bar.show();
    bar.ProgressStart(1);
    bar.ProgressStep(u"a.txt"_s);
    QCOMPARE(QColor(shot(bar).pixel(left() + 10, bar.height() / 2)), QColor(200, 120, 0));
}

void TestStatusBar::startPaintsNothingAndEndErases()
{
    StatusBar bar;
    bar.resize(640, 24);
    bar.show();
    const int y = bar.height() / 2;
    bar.ProgressStart(1);
    QVERIFY(QColor(shot(bar).pixel(left(), y)) != StatusBar::BarColour);
    bar.ProgressStep(u"a.txt"_s);
    QCOMPARE(QColor(shot(bar).pixel(left(), y)), StatusBar::BarColour);
    bar.ProgressEnd();
    QVERIFY(QColor(shot(bar).pixel(left(), y)) != StatusBar::BarColour);
    QVERIFY(bar.panelText(0).isEmpty());
}

void TestStatusBar::stopButtonOnlyDuringRun()
{
    StatusBar bar;
    bar.resize(640, 24);
    QToolButton stop(&bar);
    bar.setStopButton(&stop);
    bar.show();
    bar.setRunning(false);
    QVERIFY(!stop.isVisible());
    bar.setRunning(true);
    QVERIFY(stop.isVisible());
    QVERIFY(stop.geometry().left() >= 370);
}

QTEST_MAIN(TestStatusBar)
#include "tst_statusbar.moc"
