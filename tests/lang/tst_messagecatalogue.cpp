#include "lang/BuiltinMessages.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"

#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A language source backed by a table, as a loaded module would be.
class TableSource : public MessageSource {
public:
    QHash<int, QString> entries;
    std::optional<QString> text(int id) const override
    {
        const auto it = entries.constFind(id);
        return it == entries.cend() ? std::nullopt : std::optional<QString>(*it);
    }
};

QList<int> range(int first, int last)
{
    QList<int> ids;
    for (int id = first; id <= last; ++id)
        ids.append(id);
    return ids;
}

} // namespace

class TestMessageCatalogue : public QObject {
    Q_OBJECT

private slots:
    void builtinIdsAreExactlyTheCatalogue();
    void exactTexts_data();
    void exactTexts();
    void unknownIdIsEmpty();
    void composedMessages_data();
    void composedMessages();
    void sourceReplacesBuiltinTable();
    void sourceIsReadOnEveryCall();
    void longTextsAreCut_data();
    void longTextsAreCut();
    void format_data();
    void format();
    void messageTakesMixedArguments();
};

void TestMessageCatalogue::builtinIdsAreExactlyTheCatalogue()
{
    const QList<int> expected = range(65264, 65267) + range(65280, 65295) + range(65298, 65320)
        + QList<int>{65322, 65324, 65330, 65336} + range(65340, 65385) + QList<int>{65387}
        + range(65389, 65390) + range(65393, 65395) + range(65397, 65399)
        + QList<int>{65403, 65404, 65408, 65409} + range(65410, 65413) + range(65415, 65419)
        + range(65420, 65429) + range(65430, 65433) + QList<int>{65442, 65447, 65448};
    QCOMPARE(BuiltinMessages::Ids(), expected);
    const MessageCatalogue catalogue;
    for (int id : expected)
        QVERIFY2(!catalogue.LoadMessage(id).isEmpty(), qPrintable(QString::number(id)));
}

void TestMessageCatalogue::exactTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("blank before ?") << int(MsgRemoveAllFiles) << u"Убрать все файлы ?"_s;
    QTest::newRow("no blank before ?")
        << int(MsgDiscardEdits) << u"Все изменения будут отменены. Продолжить?"_s;
    QTest::newRow("leading blank") << int(MsgCreateFolder) << u" Создать каталог %s ?"_s;
    QTest::newRow("misspelling kept")
        << int(MsgFilesWithHits) << u"Всего файлов с найдеными элементам - %d"_s;
    QTest::newRow("save error")
        << int(MsgSaveError)
        << u"При сохранении файла возникла ошибка: вероятно, файл занят другой программой. "
           u"Вы можете освободить файл, или подождать пока он освободится. Повторить операцию ?"_s;
    QTest::newRow("unreadable") << int(MsgFileUnreadable) << u"Не удалось прочитать файл %s"_s;
    QTest::newRow("binary") << int(MsgFileBinary) << u"Файл %s не обработан: это двоичный файл"_s;
    QTest::newRow("not encodable")
        << int(MsgFileNotEncodable)
        << u"Файл %s не изменен: замена содержит символы, которых нет в кодировке файла"_s;
    QTest::newRow("not saved") << int(MsgFileNotSaved) << u"Файл %s не сохранен"_s;
}

void TestMessageCatalogue::exactTexts()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(MessageCatalogue().LoadMessage(id), text);
}

void TestMessageCatalogue::unknownIdIsEmpty()
{
    const MessageCatalogue catalogue;
    for (int id : {0, 65263, 65268, 65279, 65296, 65297, 65321, 65449, -1})
        QVERIFY2(catalogue.LoadMessage(id).isEmpty(), qPrintable(QString::number(id)));
}

void TestMessageCatalogue::composedMessages_data()
{
    const MessageCatalogue catalogue;
    QTest::addColumn<QString>("composed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("file changed") << catalogue.message(MsgFileChanged, u"C:\\a.htm"_s, 3, 5)
                                  << u"Изменен файл C:\\a.htm. Кол-во замен - 3/5"_s;
    const QString folder = u"D:\\Bak"_s;
    QTest::newRow("create folder")
        << catalogue.message(MsgFolderMissing, folder) + catalogue.message(MsgCreateFolder, folder)
        << u"Каталога D:\\Bak не существует. Создать каталог D:\\Bak ?"_s;
    QTest::newRow("cannot create file")
        << catalogue.message(MsgCannotCreateFile, u"D:\\Bak\\C\\a.htm"_s)
            + catalogue.LoadMessage(MsgRetryQuestion)
        << u"Не могу создать файл D:\\Bak\\C\\a.htm.Повторить операцию ?"_s;
}

void TestMessageCatalogue::composedMessages()
{
    QFETCH(QString, composed);
    QFETCH(QString, expected);
    QCOMPARE(composed, expected);
}

void TestMessageCatalogue::sourceReplacesBuiltinTable()
{
    TableSource english;
    english.entries.insert(MsgNothingToFind, u"Nothing to find"_s);
    MessageCatalogue catalogue;
    catalogue.setSource(&english);
    QCOMPARE(catalogue.LoadMessage(MsgNothingToFind), u"Nothing to find"_s);
    // An entry the source lacks is empty, not the built-in text.
    QCOMPARE(catalogue.LoadMessage(MsgNothingToProcess), QString());
    QCOMPARE(catalogue.message(MsgFileChanged, u"a"_s, 1, 2), QString());

    catalogue.setSource(nullptr);
    QCOMPARE(catalogue.LoadMessage(MsgNothingToProcess), u"Нечего обрабатывать"_s);
}

void TestMessageCatalogue::sourceIsReadOnEveryCall()
{
    TableSource source;
    source.entries.insert(MsgTotals, u"Total:"_s);
    MessageCatalogue catalogue;
    catalogue.setSource(&source);
    QCOMPARE(catalogue.LoadMessage(MsgTotals), u"Total:"_s);
    source.entries.insert(MsgTotals, u"Totals:"_s);
    QCOMPARE(catalogue.LoadMessage(MsgTotals), u"Totals:"_s);
}

void TestMessageCatalogue::longTextsAreCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString max(MessageCatalogue::MaxMessageLength, u'я');
    QTest::newRow("exactly the limit") << max << max;
    QTest::newRow("one over") << max + u'!' << max;
    QTest::newRow("far over") << QString(5000, u'x')
                              << QString(MessageCatalogue::MaxMessageLength, u'x');
    // A pair that straddles the limit goes as a whole rather than in halves.
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    const QString head(MessageCatalogue::MaxMessageLength - 1, u'a');
    QTest::newRow("surrogate pair at the limit") << head + clef << head;
}

void TestMessageCatalogue::longTextsAreCut()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TableSource source;
    source.entries.insert(MsgAborted, text);
    MessageCatalogue catalogue;
    catalogue.setSource(&source);
    QCOMPARE(catalogue.LoadMessage(MsgAborted), expected);
}

void TestMessageCatalogue::format_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariantList>("args");
    QTest::addColumn<QString>("expected");
    QTest::newRow("in order") << u"%s: %d/%d"_s << QVariantList{u"f"_s, 3, 5} << u"f: 3/5"_s;
    QTest::newRow("percent") << u"100%% %d"_s << QVariantList{7} << u"100% 7"_s;
    QTest::newRow("escaped placeholder") << u"%%s%s"_s << QVariantList{u"x"_s} << u"%sx"_s;
    QTest::newRow("missing argument") << u"a%sb%dc"_s << QVariantList{u"1"_s} << u"a1bc"_s;
    QTest::newRow("no arguments") << u"%s-%d"_s << QVariantList{} << u"-"_s;
    QTest::newRow("surplus arguments") << u"%d"_s << QVariantList{1, 2, u"3"_s} << u"1"_s;
    QTest::newRow("unknown directive") << u"%x %5d %"_s << QVariantList{1} << u"%x %5d %"_s;
    QTest::newRow("upper case") << u"%S %D"_s << QVariantList{u"a"_s, 2} << u"a 2"_s;
    QTest::newRow("text for %d") << u"%d"_s << QVariantList{u"abc"_s} << u"abc"_s;
    QTest::newRow("number for %s") << u"%s"_s << QVariantList{42} << u"42"_s;
    QTest::newRow("64-bit") << u"%d"_s << QVariantList{qint64(-5000000000)} << u"-5000000000"_s;
    QTest::newRow("argument holding a placeholder")
        << u"%s %d"_s << QVariantList{u"%d"_s, 1} << u"%d 1"_s;
    QTest::newRow("empty") << QString() << QVariantList{1} << QString();
}

void TestMessageCatalogue::format()
{
    QFETCH(QString, text);
    QFETCH(QVariantList, args);
    QFETCH(QString, expected);
    QCOMPARE(MessageCatalogue::Format(text, args), expected);
}

void TestMessageCatalogue::messageTakesMixedArguments()
{
    const MessageCatalogue catalogue;
    const qsizetype files = 12;
    const unsigned changed = 3;
    QCOMPARE(catalogue.message(MsgUnchangedFiles, changed, files),
             u"Не изменено 3 файлов из 12 обработанных"_s);
    QCOMPARE(catalogue.message(MsgFileHits, QStringView(u"/tmp/a.txt"), 0),
             u"Файл /tmp/a.txt. Кол-во вхождений - 0"_s);
}

QTEST_APPLESS_MAIN(TestMessageCatalogue)
#include "tst_messagecatalogue.moc"
