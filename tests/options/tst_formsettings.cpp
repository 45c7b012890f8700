#include "options/FormSettings.h"
#include "options/ProfileFile.h"
#include "options/StoredForm.h"

#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A form made of plain values: what the settings code sets is what a test reads back.
class FakeForm : public StoredForm {
public:
    WindowPlacement current;
    bool isResizable = true;
    QHash<QString, QString> values; // by key; a missing key is a missing component
    QList<WindowPlacement::Rect> placedAt;
    QList<WindowPlacement::ShowCmd> shownAs;

    WindowPlacement placement() const override { return current; }
    bool resizable() const override { return isResizable; }
    void setNormalRect(const WindowPlacement::Rect &rect) override { placedAt.append(rect); }
    void setShowCmd(WindowPlacement::ShowCmd showCmd) override { shownAs.append(showCmd); }
    std::optional<QString> storedValue(const StoredProp &item) const override
    {
        const auto it = values.constFind(item.key());
        return it == values.cend() ? std::nullopt : std::optional<QString>(*it);
    }
    void setStoredValue(const StoredProp &item, const QString &value) override
    {
        values[item.key()] = value;
    }
};

const QSize Screen(1024, 768);

const QList<StoredProp> Items = {
    {u"RCB"_s, u"Checked"_s, StoredProp::Kind::Boolean},
    {u"BackupRG"_s, u"ItemIndex"_s, StoredProp::Kind::Integer},
    {u"BackupDirE"_s, u"Text"_s, StoredProp::Kind::String},
};

FakeForm standardForm()
{
    FakeForm form;
    form.current.pixelsPerInch = 96;
    form.current.normPos = {10, 20, 650, 483};
    form.values = {{u"RCB_Checked"_s, u"True"_s},
                   {u"BackupRG_ItemIndex"_s, u"1"_s},
                   {u"BackupDirE_Text"_s, u"C:\\Bak"_s}};
    return form;
}

ProfileFile section(const QString &lines)
{
    return ProfileFile::fromBytes((u"[Main]\n"_s + lines).toUtf8());
}

} // namespace

class TestFormSettings : public QObject {
    Q_OBJECT

private slots:
    void savedSection();
    void savingSkipsMissingComponentsAndEmptyNonStrings();
    void savedValuesAreTrimmedAndClean();
    void restoredPlacement_data();
    void restoredPlacement();
    void showCmd_data();
    void showCmd();
    void restoredItems_data();
    void restoredItems();
    void negativeFormVersionSkipsTheSection();
    void roundTrip();
};

void TestFormSettings::savedSection()
{
    ProfileFile file;
    const FakeForm form = standardForm();
    FormSettings::save(file, u"Main"_s, Items, form, Screen);
    QCOMPARE(file.toBytes(),
             QByteArray("[Main]\n"
                        "FormVersion=0\n"
                        "Flags=0\n"
                        "ShowCmd=1\n"
                        "PixelsPerInch=96\n"
                        "MinMaxPos(1024x768)=-1,-1,-1,-1\n"
                        "MinMaxPos=-1,-1,-1,-1\n"
                        "NormPos(1024x768)=10,20,650,483\n"
                        "NormPos=10,20,650,483\n"
                        "Visible=0\n"
                        "RCB_Checked=True\n"
                        "BackupRG_ItemIndex=1\n"
                        "BackupDirE_Text=C:\\Bak\n"));
}

void TestFormSettings::savingSkipsMissingComponentsAndEmptyNonStrings()
{
    ProfileFile file;
    FakeForm form = standardForm();
    form.values = {{u"RCB_Checked"_s, u" "_s}, {u"BackupDirE_Text"_s, u"  "_s}};
    FormSettings::save(file, u"Main"_s, Items, form, Screen);
    QVERIFY(!file.value(u"Main"_s, u"RCB_Checked"_s));
    QVERIFY(!file.value(u"Main"_s, u"BackupRG_ItemIndex"_s));
    QCOMPARE(file.value(u"Main"_s, u"BackupDirE_Text"_s), QString());
}

void TestFormSettings::savedValuesAreTrimmedAndClean()
{
    ProfileFile file;
    FakeForm form = standardForm();
    form.values[u"BackupDirE_Text"_s] = u"  C:\\B\nak \t"_s;
    FormSettings::save(file, u"Main"_s, Items, form, Screen);
    QCOMPARE(file.value(u"Main"_s, u"BackupDirE_Text"_s), u"C:\\Bak"_s);
}

void TestFormSettings::restoredPlacement_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<bool>("resizable");
    QTest::addColumn<QString>("placedAt"); // "" when the window is not moved
    QTest::newRow("this resolution first")
        << u"NormPos(1024x768)=1,2,301,202\nNormPos=5,5,105,105\n"_s << true << u"1,2,301,202"_s;
    QTest::newRow("plain key when the resolution's is missing")
        << u"NormPos(800x600)=1,2,301,202\nNormPos=5,5,105,105\n"_s << true << u"5,5,105,105"_s;
    QTest::newRow("plain key when the resolution's is empty")
        << u"NormPos(1024x768)=\nNormPos=5,5,105,105\n"_s << true << u"5,5,105,105"_s;
    QTest::newRow("blanks as separators")
        << u"NormPos=5 5  105 105\n"_s << true << u"5,5,105,105"_s;
    QTest::newRow("a number that does not parse is 0")
        << u"NormPos=x,5,105,105\n"_s << true << u"0,5,105,105"_s;
    QTest::newRow("missing numbers keep the current ones")
        << u"NormPos=7,8\n"_s << true << u"7,8,650,483"_s;
    QTest::newRow("fixed size keeps its size and the stored centre")
        << u"NormPos=5,5,105,105\n"_s << false << u"-265,-176,375,287"_s;
    QTest::newRow("MinMaxPos alone places at the current rectangle")
        << u"MinMaxPos=-1,-1,-1,-1\n"_s << true << u"10,20,650,483"_s;
    QTest::newRow("no position keys") << u"ShowCmd=1\n"_s << true << QString();
    QTest::newRow("left not less than right") << u"NormPos=300,5,300,105\n"_s << true << QString();
    QTest::newRow("other pixels per inch")
        << u"PixelsPerInch=120\nNormPos=5,5,105,105\n"_s << true << QString();
    QTest::newRow("same pixels per inch")
        << u"PixelsPerInch=96\nNormPos=5,5,105,105\n"_s << true << u"5,5,105,105"_s;
}

void TestFormSettings::restoredPlacement()
{
    QFETCH(QString, lines);
    QFETCH(bool, resizable);
    QFETCH(QString, placedAt);
    FakeForm form = standardForm();
    form.isResizable = resizable;
    FormSettings::restore(section(lines), u"Main"_s, Items, form, Screen);
    QStringList placed;
    for (const WindowPlacement::Rect &rect : form.placedAt)
        placed.append(WindowPlacement::format(rect));
    QCOMPARE(placed.join(u' '), placedAt);
    // The show state is restored whatever happened to the position.
    QCOMPARE(form.shownAs.size(), 1);
}

void TestFormSettings::showCmd_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("shownAs");
    const QList<std::pair<const char *, int>> rows = {
        {"1", 1}, {"5", 1}, {"9", 1}, {"2", 2}, {"6", 2}, {"7", 2},
        {"3", 3}, {"0", 1}, {"4", 1}, {"8", 1}, {"x", 1}, {"", 1},
    };
    for (const auto &[stored, shownAs] : rows)
        QTest::newRow(stored[0] ? stored : "empty") << QString::fromLatin1(stored) << shownAs;
    QTest::newRow("missing") << u"<none>"_s << 1;
}

void TestFormSettings::showCmd()
{
    QFETCH(QString, stored);
    QFETCH(int, shownAs);
    FakeForm form = standardForm();
    const QString lines = stored == u"<none>" ? QString() : u"ShowCmd="_s + stored + u'\n';
    FormSettings::restore(section(lines), u"Main"_s, Items, form, Screen);
    QCOMPARE(form.shownAs, QList<WindowPlacement::ShowCmd>{WindowPlacement::ShowCmd(shownAs)});
}

void TestFormSettings::restoredItems_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("False") << u"RCB_Checked"_s << u"False"_s << u"False"_s;
    QTest::newRow("false in lower case") << u"RCB_Checked"_s << u"false"_s << u"False"_s;
    QTest::newRow("TRUE") << u"RCB_Checked"_s << u"TRUE"_s << u"True"_s;
    QTest::newRow("0 is no boolean") << u"RCB_Checked"_s << u"0"_s << u"True"_s;
    QTest::newRow("blanks around a boolean") << u"RCB_Checked"_s << u"  false "_s << u"False"_s;
    QTest::newRow("quoted boolean") << u"RCB_Checked"_s << u"\"false\""_s << u"False"_s;
    QTest::newRow("integer") << u"BackupRG_ItemIndex"_s << u"0"_s << u"0"_s;
    QTest::newRow("integer out of range goes to the form")
        << u"BackupRG_ItemIndex"_s << u"7"_s << u"7"_s;
    QTest::newRow("integer that does not parse") << u"BackupRG_ItemIndex"_s << u"x"_s << u"0"_s;
    QTest::newRow("string trimmed") << u"BackupDirE_Text"_s << u"  D:\\Bak  "_s << u"D:\\Bak"_s;
    QTest::newRow("string inside quotes trimmed too")
        << u"BackupDirE_Text"_s << u"\" D:\\Bak \""_s << u"D:\\Bak"_s;
    QTest::newRow("string with quotes kept")
        << u"BackupDirE_Text"_s << u"\"'D:\\Bak'\""_s << u"'D:\\Bak'"_s;
    QTest::newRow("empty string") << u"BackupDirE_Text"_s << QString() << QString();
}

void TestFormSettings::restoredItems()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    FakeForm form = standardForm();
    const QHash<QString, QString> before = form.values;
    FormSettings::restore(section(key + u'=' + stored + u'\n'), u"Main"_s, Items, form, Screen);
    QCOMPARE(form.values.value(key), expected);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() != key)
            QCOMPARE(form.values.value(it.key()), it.value());
    }
}

void TestFormSettings::negativeFormVersionSkipsTheSection()
{
    FakeForm form = standardForm();
    const ProfileFile file = section(u"FormVersion=-1\nNormPos=5,5,105,105\nShowCmd=3\n"
                                     u"RCB_Checked=False\n"_s);
    FormSettings::restore(file, u"Main"_s, Items, form, Screen);
    QVERIFY(form.placedAt.isEmpty());
    QVERIFY(form.shownAs.isEmpty());
    QCOMPARE(form.values, standardForm().values);
}

void TestFormSettings::roundTrip()
{
    ProfileFile file;
    FakeForm saved = standardForm();
    saved.current.normPos = {-5, 0, 635, 463};
    saved.values[u"BackupDirE_Text"_s] = u"'quoted'"_s;
    FormSettings::save(file, u"Main"_s, Items, saved, Screen);
    FakeForm restored;
    restored.values = {{u"RCB_Checked"_s, u"False"_s},
                       {u"BackupRG_ItemIndex"_s, u"0"_s},
                       {u"BackupDirE_Text"_s, QString()}};
    FormSettings::restore(ProfileFile::fromBytes(file.toBytes()), u"Main"_s, Items, restored,
                          Screen);
    QCOMPARE(restored.values, saved.values);
    QCOMPARE(restored.placedAt, QList<WindowPlacement::Rect>{saved.current.normPos});
}

QTEST_APPLESS_MAIN(TestFormSettings)
#include "tst_formsettings.moc"
