#include "lang/BuiltinMessages.h"
#include "lang/LanguageModule.h"
#include "lang/tstool/TranslationSources.h"
#include "lang/tstool/UiTextReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString SourceRoot = QDir::cleanPath(QString::fromUtf8(QUORVEX_TESTS_ROOT "/.."));
const QString BuiltModules = QString::fromUtf8(QUORVEX_BINARY_DIR "/lang/");
const char *const HowToUpdate = "run: cmake --build <build folder> --target update_translations";

QStringList ids(const QList<TsFile::Message> &messages)
{
    QStringList list;
    for (const TsFile::Message &message : messages)
        list.append(message.id);
    list.sort();
    return list;
}

// "%s" and "%d" in order: a translation must take its arguments as the source does.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression placeholder(u"%[sdSD%]"_s);
    QStringList found;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        found.append(match.captured().toLower());
    return found;
}

bool hasCyrillic(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar ch) { return ch.unicode() >= 0x400 && ch.unicode() <= 0x52f; });
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void formsAreIdBased();
    void everyCatalogueEntryIsASource();
    void russianSourceIsUpToDate();
    void englishTranslatesEveryId();
    void englishTextsAreEnglish();
    void placeholdersMatch();
    void modulesAnswerEveryId_data();
    void modulesAnswerEveryId();
    void readerFindsEveryText();
    void changedSourceNeedsTranslatingAgain();

private:
    QList<TsFile::Message> m_sources;
    QStringList m_problems;
    TsFile m_russian;
    TsFile m_english;
};

void TestTranslations::initTestCase()
{
    m_sources = TranslationSources::collect(SourceRoot, &m_problems);
    QVERIFY(m_russian.read(SourceRoot + u'/' + TranslationSources::russianPath()));
    QVERIFY(m_english.read(SourceRoot + u'/' + TranslationSources::englishPath()));
}

void TestTranslations::formsAreIdBased()
{
    QVERIFY2(m_problems.isEmpty(), qPrintable(m_problems.join(u'\n')));
}

void TestTranslations::everyCatalogueEntryIsASource()
{
    QSet<QString> sourceIds;
    for (const TsFile::Message &message : m_sources)
        sourceIds.insert(message.id);
    for (int id : BuiltinMessages::Ids())
        QVERIFY2(sourceIds.contains(QString::fromLatin1(LanguageModule::messageId(id))),
                 qPrintable(QString::number(id)));
    QVERIFY(sourceIds.contains(u"TOptionsF.OkB.Caption"_s));
}

void TestTranslations::russianSourceIsUpToDate()
{
    QCOMPARE(m_russian.language, u"ru_RU"_s);
    const TsFile expected = TranslationSources::russian(m_sources);
    QVERIFY2(ids(m_russian.messages) == ids(expected.messages), HowToUpdate);
    for (const TsFile::Message &message : expected.messages) {
        const TsFile::Message *committed = m_russian.find(message.id);
        QVERIFY2(committed && committed->source == message.source
                     && committed->translation == message.source && committed->finished,
                 qPrintable(message.id + u": "_s + QString::fromLatin1(HowToUpdate)));
    }
}

void TestTranslations::englishTranslatesEveryId()
{
    QCOMPARE(m_english.language, u"en_GB"_s);
    QCOMPARE(ids(m_english.messages), ids(m_sources));
    for (const TsFile::Message &source : m_sources) {
        const TsFile::Message *english = m_english.find(source.id);
        QVERIFY(english);
        QVERIFY2(english->source == source.source,
                 qPrintable(source.id + u": the Russian text changed; translate it again"_s));
        QVERIFY2(english->finished && !english->translation.isEmpty(),
                 qPrintable(source.id + u": no English translation"_s));
    }
}

void TestTranslations::englishTextsAreEnglish()
{
    for (const TsFile::Message &message : m_english.messages)
        QVERIFY2(!hasCyrillic(message.translation), qPrintable(message.id));
}

void TestTranslations::placeholdersMatch()
{
    for (const TsFile::Message &message : m_english.messages) {
        QVERIFY2(placeholders(message.translation) == placeholders(message.source),
                 qPrintable(message.id));
    }
}

void TestTranslations::modulesAnswerEveryId_data()
{
    QTest::addColumn<QString>("module");
    QTest::newRow("English") << u"quorvex.ENG"_s;
    QTest::newRow("Russian") << u"quorvex.RUS"_s;
}

void TestTranslations::modulesAnswerEveryId()
{
    QFETCH(QString, module);
    QTranslator translator;
    QVERIFY(translator.load(BuiltModules + module, QString(), u""_s, u""_s));
    const TsFile &ts = module.endsWith(u"ENG") ? m_english : m_russian;
    for (const TsFile::Message &source : m_sources) {
        const QString text = translator.translate(nullptr, source.id.toUtf8().constData());
        const TsFile::Message *expected = ts.find(source.id);
        QVERIFY2(expected && text == expected->translation, qPrintable(source.id));
    }
}

void TestTranslations::readerFindsEveryText()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"f.ui"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0" idbasedtr="true">
 <widget class="QDialog" name="F">
  <property name="windowTitle"><string id="TF.Caption">Окно</string></property>
  <widget class="QTabWidget" name="PC">
   <widget class="QWidget" name="TS">
    <attribute name="title"><string id="TF.TS.Caption">Страница</string></attribute>
   </widget>
  </widget>
  <widget class="QLabel" name="L"><property name="text"><string>Без id</string></property></widget>
  <widget class="QLabel" name="D"><property name="text"><string notr="true">C:\</string></property></widget>
  <widget class="QLabel" name="E"><property name="text"><string/></property></widget>
  <action name="A"><property name="text"><string id="TF.A.Caption">&amp;Действие</string></property></action>
 </widget>
</ui>
)");
    file.close();
    const UiTextReader::Form form = UiTextReader::read(file.fileName());
    QVERIFY(form.error.isEmpty());
    QVERIFY(form.idBased);
    QStringList found;
    for (const UiTextReader::Text &text : form.texts)
        found.append(text.id + u'=' + text.text);
    QCOMPARE(found,
             QStringList({u"TF.Caption=Окно"_s, u"TF.TS.Caption=Страница"_s, u"=Без id"_s,
                          u"TF.A.Caption=&Действие"_s}));
}

void TestTranslations::changedSourceNeedsTranslatingAgain()
{
    TsFile previous;
    previous.messages = {{u"TF"_s, u"TF.Kept"_s, u"Окно"_s, u"Window"_s, true},
                         {u"TF"_s, u"TF.Changed"_s, u"Старое"_s, u"Old"_s, true},
                         {u"TF"_s, u"TF.Gone"_s, u"Нет"_s, u"Gone"_s, true}};
    const QList<TsFile::Message> sources = {{u"TF"_s, u"TF.Kept"_s, u"Окно"_s, {}, false},
                                            {u"TF"_s, u"TF.Changed"_s, u"Новое"_s, {}, false},
                                            {u"TF"_s, u"TF.New"_s, u"Новый"_s, {}, false}};
    const TsFile english = TranslationSources::english(sources, previous);
    QStringList state;
    for (const TsFile::Message &m : english.messages)
        state.append(m.id + u'=' + m.translation + (m.finished ? u""_s : u" (unfinished)"_s));
    QCOMPARE(state,
             QStringList({u"TF.Kept=Window"_s, u"TF.Changed=Old (unfinished)"_s,
                          u"TF.New= (unfinished)"_s}));
    TsFile reread;
    QTemporaryDir dir;
    QFile file(dir.filePath(u"en.ts"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(english.toXml());
    file.close();
    QVERIFY(reread.read(file.fileName()));
    QCOMPARE(reread.toXml(), english.toXml());
}

QTEST_APPLESS_MAIN(TestTranslations)
#include "tst_translations.moc"
