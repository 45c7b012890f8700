// A small command-line front end to the RTF engine, used by check-rtf-with-libreoffice.
//   rtf-tool text <in.rtf>                              plain text (UTF-8) on stdout
//   rtf-tool replace <in.rtf> <out.rtf> <from> <to>...  replace every occurrence of each pair;
//                                                       prints the number of each on a line
//   rtf-tool write <in.txt> <out.rtf>                   UTF-8 text to a new RTF document
#include "rtf/RtfDocument.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int fail(const char *message)
{
    std::fprintf(stderr, "rtf-tool: %s\n", message);
    return 1;
}

int text(const QStringList &args)
{
    const std::optional<QByteArray> bytes = readFile(args.value(0));
    if (!bytes)
        return fail("cannot read the input");
    const std::optional<QString> plain = RtfReader::plainText(*bytes);
    if (!plain)
        return fail("not RTF");
    const QByteArray utf8 = plain->toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    return 0;
}

qsizetype replaceAll(RtfDocument &document, const QString &from, const QString &to)
{
    qsizetype count = 0;
    qsizetype pos = 0;
    while (true) {
        const DocumentView view = document.view(pos);
        const qsizetype found = view.from(pos).indexOf(from);
        if (found < 0)
            return count;
        const std::optional<TextEdit> edit = document.replace(pos + found, from.size(), to);
        if (!edit)
            return count;
        pos = edit->pos + edit->inserted();
        ++count;
    }
}

int replace(const QStringList &args)
{
    if (args.size() < 4 || args.size() % 2 != 0)
        return fail("replace needs <in> <out> and pairs of <from> <to>");
    const std::optional<QByteArray> bytes = readFile(args.at(0));
    if (!bytes)
        return fail("cannot read the input");
    std::optional<RtfDocument> document = RtfDocument::fromRtf(*bytes);
    if (!document)
        return fail("not RTF");
    for (qsizetype i = 2; i + 1 < args.size(); i += 2) {
        const qsizetype count = replaceAll(*document, args.at(i), args.at(i + 1));
        std::printf("%lld\n", qlonglong(count));
    }
    return writeFile(args.at(1), document->toRtf()) ? 0 : fail("cannot write the output");
}

int write(const QStringList &args)
{
    const std::optional<QByteArray> bytes = readFile(args.value(0));
    if (!bytes)
        return fail("cannot read the input");
    const QByteArray rtf = RtfWriter::fromPlainText(QString::fromUtf8(*bytes));
    return writeFile(args.value(1), rtf) ? 0 : fail("cannot write the output");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == u"text")
        return text(args);
    if (command == u"replace")
        return replace(args);
    if (command == u"write")
        return write(args);
    return fail("usage: rtf-tool text|replace|write ...");
}
