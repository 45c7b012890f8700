#include "ui/ScriptedPrompter.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The scripted prompter the window tests rely on answers in order, then with its defaults.
class TestScriptedPrompter : public QObject {
    Q_OBJECT
private slots:
    void answersInOrderThenDefaults();
};

void TestScriptedPrompter::answersInOrderThenDefaults()
{
    ScriptedPrompter p;
    p.yesNo = {true};
    QVERIFY(p.askYesNo(nullptr, u"a"_s, u"c"_s, false));
    QVERIFY(!p.askYesNo(nullptr, u"b"_s, u"c"_s, false));
    int index = 2;
    p.saveFiles = {{u"x"_s, 1}};
    QCOMPARE(p.saveFileName(nullptr, {}, {}, index), u"x"_s);
    QCOMPARE(index, 1);
    QCOMPARE(p.saveFileName(nullptr, {}, {}, index), QString());
    QCOMPARE(p.shown,
             (QStringList{u"question: c: a"_s, u"question: c: b"_s, u"save 2"_s, u"save 1"_s}));
}

QTEST_MAIN(TestScriptedPrompter)
#include "tst_scriptedprompter.moc"
