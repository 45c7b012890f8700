// Reading and editing a large word-processor RTF document: replace-all over about 2 MB with
// thousands of occurrences, the way a run walks forward through a document.
#include "rtf/RtfDocument.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char Header[]
    = "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff31507\\deff0\\deflang1033{\\fonttbl"
      "{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
      "{\\f1\\fbidi \\fswiss\\fcharset0\\fprq2{\\*\\panose 020b0604020202020204}Arial;}"
      "{\\f44\\fbidi \\froman\\fcharset204\\fprq2 Times New Roman Cyr;}}\r\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
      "{\\stylesheet{\\ql "
      "\\li0\\ri0\\sa200\\sl276\\slmult1\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto"
      "\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af31507\\afs22\\alang1025 \\ltrch\\fcs0 "
      "\\fs22\\lang1033"
      "\\langfe1033\\cgrid\\langnp1033\\langfenp1033 \\snext0 \\sqformat \\spriority0 Normal;}}\r\n"
      "{\\*\\rsidtbl \\rsid1262419\\rsid6183306}{\\info{\\title Quarterly report}{\\author "
      "Someone}}\r\n"
      "\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440\\gutter0\\ltrsect\r"
      "\n";

const char Paragraph[]
    = "\\pard\\plain \\ltrpar\\ql "
      "\\li0\\ri0\\sa200\\sl276\\slmult1\\widctlpar\\wrapdefault\\aspalpha\\aspnum"
      "\\faauto\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af31507\\afs22\\alang1025 "
      "\\ltrch\\fcs0 \\fs22"
      "\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 {\\rtlch\\fcs1 \\af31507 "
      "\\ltrch\\fcs0 "
      "\\insrsid1262419 The quarterly figures of the northern region were }{\\rtlch\\fcs1 "
      "\\ab\\af31507 "
      "\\ltrch\\fcs0 \\b\\insrsid1262419 better}{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 "
      "\\insrsid1262419  than "
      "the quarterly plan\\rquote s estimate \\endash  see the }{\\field{\\*\\fldinst "
      "{\\rtlch\\fcs1 \\af31507 "
      "\\ltrch\\fcs0 \\insrsid6183306  HYPERLINK \"https://example.org/q\" }}{\\fldrslt "
      "{\\rtlch\\fcs1 \\af31507 "
      "\\ltrch\\fcs0 \\cf2\\ul\\insrsid6183306 quarterly summary}}}{\\rtlch\\fcs1 \\af31507 "
      "\\ltrch\\fcs0 "
      "\\insrsid6183306 . }{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\f44\\insrsid6183306 "
      "\\'ca\\'e2\\'e0\\'f0\\'f2"
      "\\'e0\\'eb\\'fc\\'ed\\'fb\\'e9 \\'ee\\'f2\\'f7\\'b8\\'f2 "
      "\\'e3\\'ee\\'f2\\'ee\\'e2.}{\\rtlch\\fcs1 "
      "\\af31507 \\ltrch\\fcs0 \\insrsid6183306 \r\n\\par }";

const char Picture[]
    = "{\\*\\shppict{\\pict{\\*\\picprop}\\picw4\\pich4\\picwgoal60\\pichgoal60\\pngblip\r\n"
      "89504e470d0a1a0a0000000d4948445200000004000000040802000000269309290000002949444154789c0dc731"
      "0100"
      "000cc23084551867452170cb9724121b1713048be353a9adeb67323b370fa7631341361d493f0000000049454e44"
      "ae426082"
      "}}\r\n\\par ";

// About `megabytes` of RTF in the shape a word processor writes: a header with tables and
// properties, paragraphs of several runs with a field and Cyrillic in a 1251 font, and a
// small picture every fifty paragraphs.
QByteArray wordProcessorDocument(int megabytes)
{
    QByteArray rtf(Header);
    for (int i = 0; rtf.size() < megabytes * 1024 * 1024; ++i) {
        rtf += Paragraph;
        if (i % 50 == 0)
            rtf += Picture;
    }
    rtf += "}\r\n";
    return rtf;
}

const QByteArray &document()
{
    static const QByteArray bytes = wordProcessorDocument(2);
    return bytes;
}

qsizetype replaceAll(RtfDocument &rtf, const QString &from, const QString &to)
{
    qsizetype count = 0;
    qsizetype pos = 0;
    while (true) {
        const qsizetype found = rtf.view(pos).from(pos).indexOf(from);
        if (found < 0)
            return count;
        const std::optional<TextEdit> edit = rtf.replace(pos + found, from.size(), to);
        if (!edit)
            return count;
        pos = edit->pos + edit->inserted();
        ++count;
    }
}

void runReplaceAll(benchmark::State &state, const QString &from, const QString &to)
{
    qsizetype count = 0;
    for (auto _ : state) {
        std::optional<RtfDocument> rtf = RtfDocument::fromRtf(document());
        count = replaceAll(*rtf, from, to);
        benchmark::DoNotOptimize(rtf->toRtf());
    }
    state.counters["occurrences"] = double(count);
    state.counters["source_bytes"] = double(document().size());
}

void BM_Parse(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfDocument::fromRtf(document()));
    state.SetBytesProcessed(state.iterations() * document().size());
}

// Parse, replace every occurrence going forward, write the source back.
void BM_ReplaceAllLonger(benchmark::State &state)
{
    runReplaceAll(state, u"quarterly"_s, u"half-yearly"_s);
}

void BM_ReplaceAllShorter(benchmark::State &state)
{
    runReplaceAll(state, u"quarterly"_s, u"annual"_s);
}

void BM_ReplaceAllCyrillic(benchmark::State &state)
{
    runReplaceAll(state, u"отчёт"_s, u"доклад"_s);
}

void BM_ReplaceAllAcrossRuns(benchmark::State &state)
{
    runReplaceAll(state, u"were better than"_s, u"beat"_s);
}

void BM_FormattedRuns(benchmark::State &state)
{
    const std::optional<RtfDocument> rtf = RtfDocument::fromRtf(document());
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf->formattedRuns());
}

} // namespace

BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllLonger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllShorter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllCyrillic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllAcrossRuns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormattedRuns)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
