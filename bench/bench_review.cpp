// The review dialog's cost of showing an occurrence: the first showing in a file (which builds
// the file's view) and the later ones (which follow the run's edits), for a 100 MB plain-text
// file, a 20 MB file without line breaks and a 5 MB word-processor RTF. Each showing is painted
// once before the dialog closes.
//
// Counters: view_builds (per file, should be 1), view_MB (resident memory the first showing
// added), document_MB (the document's own text and, for RTF, its source).

#include "document/Document.h"
#include "engine/EngineState.h"
#include "review/ReviewDialog.h"
#include "review/ReviewTextView.h"
#include "run/QuorvexCore.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"
#include "ui/FixedPrompter.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype PlainBytes = 100'000'000;
constexpr qsizetype RtfBytes = 5'000'000;
constexpr QStringView Needle = u"needle";
constexpr QStringView Thread = u"thread";

// Passes the run's news to the dialog, as the main window does.
class DialogHost : public RunHost {
public:
    ReviewDialog *dialog = nullptr;
    ModalResult ShowOccurrence(ReviewSession &) override { return dialog->ShowOccurrence(); }
    bool AskYesNo(const QString &, const QString &, bool) override { return true; }
    void ShowMessage(const QString &) override { }
    Answer AskAbortRetryIgnore(const QString &) override { return Answer::Ignore; }
    void DocumentLoaded(const Document &document) override { dialog->DocumentLoaded(document); }
    void DocumentEdited(const TextEdit &edit) override { dialog->DocumentEdited(edit); }
};

struct Rig {
    Rig()
    {
        host.dialog = &dialog;
        dialog.resize(900, 600);
        core.engine.ReplaceText = Thread.toString();
        core.engine.ReplaceLen = Thread.size();
    }
    DialogHost host;
    FixedPrompter prompter{true, BackupHost::Answer::Ignore};
    QuorvexCore core{host};
    ReviewDialog dialog{core.review, prompter};
};

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString writeOnce(const QString &name, const std::function<QByteArray()> &make)
{
    const QString path = folder().filePath(name);
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(make()) < 0)
            qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// Lines of 80 characters; every 1000th holds the needle.
QByteArray plainText()
{
    QByteArray text;
    text.reserve(PlainBytes);
    const QByteArray line
        = QByteArray("The quick brown fox jumps over the lazy dog, ").leftJustified(78, '.')
        + "\r\n";
    QByteArray marked = line;
    marked.replace(4, 6, "needle");
    for (qsizetype i = 0; text.size() < PlainBytes; ++i)
        text += i % 1000 == 999 ? marked : line;
    return text;
}

// Minified markup: 20 MB without a line break, the needle every 100 kB.
QByteArray oneLine()
{
    QByteArray text;
    text.reserve(20'000'000);
    for (qsizetype i = 0; text.size() < 20'000'000; ++i)
        text += i % 2000 == 1999 ? "<p class=\"needle\">x</p>" : "<p class=\"note\">text</p>";
    return text;
}

// A word processor's RTF: fonts, sizes, bold, italic, colour, alignment, tables.
QByteArray richText()
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}"
                     "{\\f1\\fswiss Arial;}{\\f2\\fmodern Courier New;}}{\\colortbl;\\red0\\green0"
                     "\\blue0;\\red200\\green0\\blue0;\\red0\\green0\\blue180;}\r\n";
    rtf.reserve(RtfBytes + 4096);
    for (int i = 0; rtf.size() < RtfBytes; ++i) {
        const QByteArray n = QByteArray::number(i);
        if (i % 50 == 49) {
            rtf += "\\trowd\\cellx3000\\cellx6000\\cellx9000\\pard\\plain\\intbl\\f1\\fs20 cell "
                + n + "\\cell {\\b total}\\cell " + n + " EUR\\cell\\row\r\n";
            continue;
        }
        rtf += "\\pard\\plain\\s0" + QByteArray(i % 7 == 0 ? "\\qc" : "\\ql")
            + "\\f0\\fs24 Paragraph " + n + " with {\\b bold words} and {\\i italic ones}, "
            + "{\\cf2 some red} and {\\f2\\fs20 fixed text}" + (i % 20 == 19 ? " needle" : "")
            + " to close it.\\par\r\n";
    }
    return rtf + "}";
}

double residentMegabytes()
{
    malloc_trim(0);
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Shows the occurrence in hand, paints it once and answers No.
void showOnce(ReviewDialog &dialog)
{
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.view()->viewport()->repaint();
        dialog.done(int(ModalResult::No));
    });
    benchmark::DoNotOptimize(dialog.ShowOccurrence());
}

QList<qsizetype> occurrences(const Document &doc)
{
    QList<qsizetype> found;
    const QStringView text = doc.view(0).from(0);
    for (qsizetype at = text.indexOf(Needle); at >= 0; at = text.indexOf(Needle, at + 1))
        found << at;
    return found;
}

double documentMegabytes(const Document &doc, qsizetype fileBytes, bool rich)
{
    return (doc.length() * 2 + (rich ? fileBytes : 0)) / 1e6;
}

void firstShowing(benchmark::State &state, const QString &path, qsizetype bytes, bool rich)
{
    Rig rig;
    double view = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.core.engine.CurrentFileName = path;
        rig.core.review.Load(path);
        const QList<qsizetype> at = occurrences(rig.core.review.document());
        rig.core.engine.MatchStart = at.last();
        rig.core.engine.MatchLength = Needle.size();
        const double before = residentMegabytes();
        state.ResumeTiming();
        showOnce(rig.dialog);
        state.PauseTiming();
        view = residentMegabytes() - before;
        state.ResumeTiming();
    }
    state.counters["view_MB"] = view;
    state.counters["document_MB"] = documentMegabytes(rig.core.review.document(), bytes, rich);
    state.counters["view_builds"] = double(rig.dialog.viewBuilds()) / double(state.iterations());
}

// Replace the occurrence in hand, as "yes" does, and show the next one.
void laterShowings(benchmark::State &state, const QString &path)
{
    Rig rig;
    rig.core.engine.CurrentFileName = path;
    rig.core.review.Load(path);
    const QList<qsizetype> at = occurrences(rig.core.review.document());
    qsizetype next = 0;
    rig.core.engine.MatchStart = at.at(next++);
    rig.core.engine.MatchLength = Needle.size();
    showOnce(rig.dialog);
    for (auto _ : state) {
        rig.core.review.ReplaceSelected();
        rig.core.engine.MatchStart = at.at(next++ % at.size());
        showOnce(rig.dialog);
    }
    state.counters["view_builds"] = rig.dialog.viewBuilds();
}

void BM_FirstShowing_Plain100MB(benchmark::State &state)
{
    firstShowing(state, writeOnce(u"plain.txt"_s, plainText), PlainBytes, false);
}
BENCHMARK(BM_FirstShowing_Plain100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LaterShowing_Plain100MB(benchmark::State &state)
{
    laterShowings(state, writeOnce(u"plain.txt"_s, plainText));
}
BENCHMARK(BM_LaterShowing_Plain100MB)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_FirstShowing_OneLine20MB(benchmark::State &state)
{
    firstShowing(state, writeOnce(u"line.html"_s, oneLine), 20'000'000, false);
}
BENCHMARK(BM_FirstShowing_OneLine20MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LaterShowing_OneLine20MB(benchmark::State &state)
{
    laterShowings(state, writeOnce(u"line.html"_s, oneLine));
}
BENCHMARK(BM_LaterShowing_OneLine20MB)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_FirstShowing_Rtf5MB(benchmark::State &state)
{
    firstShowing(state, writeOnce(u"rich.rtf"_s, richText), RtfBytes, true);
}
BENCHMARK(BM_FirstShowing_Rtf5MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LaterShowing_Rtf5MB(benchmark::State &state)
{
    laterShowings(state, writeOnce(u"rich.rtf"_s, richText));
}
BENCHMARK(BM_LaterShowing_Rtf5MB)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
