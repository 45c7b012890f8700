// libFuzzer target for the RTF reader and editor. The input is an RTF source; its last bytes
// also choose a few edits. Besides crashes and hangs it checks that the document stays
// consistent: an unchanged document is written back byte for byte, each edit changes the plain
// text exactly as it reports, and reading the edited source again gives the same plain text.
#include "rtf/RtfDocument.h"
#include "rtf/RtfReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "consistency check failed: %s\n", what);
        std::abort();
    }
}

const char16_t *const Insertions[] = {
    u"",  u"x",  u"word", u"\\{}", u"Привет", u"中文",   u"😀",   u"a\r\nb", u"\n", u"\r",    u"\t",
    u"5", u"-5", u" ",    u"ab12", u"é",      u"\u00A0", u"'e9", u"?",      u"{",  u"\\par",
};

void edit(RtfDocument &document, QString &expected, FuzzedDataProvider &input)
{
    const qsizetype length = document.length();
    const qsizetype pos = input.ConsumeIntegralInRange<qsizetype>(0, length);
    const qsizetype count
        = input.ConsumeIntegralInRange<qsizetype>(0, std::min<qsizetype>(length - pos, 64));
    const size_t pick = input.ConsumeIntegralInRange<size_t>(0, std::size(Insertions) - 1);
    const QString text = QString::fromUtf16(Insertions[pick]);
    const QByteArray before = document.toRtf();
    const std::optional<TextEdit> done = document.replace(pos, count, text);
    if (std::getenv("QUORVEX_FUZZ_TRACE")) {
        std::fprintf(stderr, "edit %lld+%lld <- %s\n  before: %s\n  after:  %s\n  text: %s\n",
                     qlonglong(pos), qlonglong(count), qPrintable(text),
                     before.toPercentEncoding("{}\\ ").constData(),
                     document.toRtf().toPercentEncoding("{}\\ ").constData(),
                     qPrintable(document.plainText()));
    }
    if (!done)
        return;
    // A range is only ever widened; an insertion may move back to the start of a line break.
    check(done->pos <= pos && (count == 0 || done->pos + done->removed >= pos + count),
          "the edit covers the range");
    expected = expected.left(done->pos) + document.mid(done->pos, done->inserted())
        + expected.mid(done->pos + done->removed);
    check(document.plainText() == expected, "the edit changed only what it reports");
    const std::optional<QString> reread = RtfReader::plainText(document.toRtf());
    check(reread.has_value(), "the edited source is still RTF");
    check(*reread == expected, "the edited source reads back as the edited text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int editCount = input.ConsumeIntegralInRange<int>(0, 4);
    std::vector<uint8_t> script;
    for (int i = 0; i < editCount * 6 && input.remaining_bytes() > 0; ++i)
        script.push_back(input.ConsumeIntegral<uint8_t>());
    const std::vector<char> rest = input.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const std::optional<QString> plain = RtfReader::plainText(bytes);
    std::optional<RtfDocument> document = RtfDocument::fromRtf(bytes);
    check(plain.has_value() == document.has_value(), "reader and document agree on validity");
    if (!document)
        return 0;
    check(document->plainText() == *plain, "reader and document agree on the text");
    check(document->toRtf() == bytes, "an unchanged document is written back as it was");
    qsizetype covered = 0;
    for (const FormattedRun &run : document->formattedRuns()) {
        check(run.start == covered && run.length > 0, "formatted runs tile the text");
        covered += run.length;
    }
    check(covered == document->length(), "formatted runs cover the text");

    QString expected = *plain;
    FuzzedDataProvider edits(script.data(), script.size());
    for (int i = 0; i < editCount && edits.remaining_bytes() > 0; ++i)
        edit(*document, expected, edits);
    return 0;
}
