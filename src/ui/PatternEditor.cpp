#include "ui/PatternEditor.h"

#include "document/RichTextCodec.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

// Clipboard formats that carry RTF, as the platforms name them.
const QStringList RtfMimeTypes = {u"text/rtf"_s, u"application/rtf"_s, u"text/richtext"_s};

QString rtfFormatIn(const QMimeData *source)
{
    for (const QString &type : RtfMimeTypes) {
        if (source->hasFormat(type))
            return type;
    }
    return {};
}

Qt::Alignment alignmentOf(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::Center:
        return Qt::AlignHCenter;
    case TextAlignment::Right:
        return Qt::AlignRight;
    case TextAlignment::Justify:
        return Qt::AlignJustify;
    case TextAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat charFormatOf(const FormattedRun &run)
{
    QTextCharFormat format;
    if (!run.fontName.isEmpty())
        format.setFontFamilies({run.fontName});
    if (run.pointSize > 0)
        format.setFontPointSize(run.pointSize);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    if (run.hasColour)
        format.setForeground(QColor::fromRgba(run.colour));
    return format;
}

} // namespace

PatternEditor::PatternEditor(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
    setTabChangesFocus(false);
}

QString PatternEditor::patternFromRaw(QString raw)
{
    raw.replace(QChar::ParagraphSeparator, u"\r\n"_s);
    raw.replace(QChar::LineSeparator, u"\r\n"_s);
    return raw;
}

QString PatternEditor::patternText() const
{
    return patternFromRaw(document()->toRawText());
}

void PatternEditor::setFormattedText(const QString &text, const QList<FormattedRun> &runs)
{
    clear();
    QTextCursor cursor(document());
    insertFormatted(cursor, text, runs);
    document()->setModified(false);
}

void PatternEditor::insertFormatted(QTextCursor &cursor, const QString &text,
                                    const QList<FormattedRun> &runs)
{
    cursor.beginEditBlock();
    qsizetype done = 0;
    for (const FormattedRun &run : runs) {
        if (run.start >= text.size())
            break;
        const qsizetype length = std::min(run.length, text.size() - run.start);
        if (run.start > done)
            cursor.insertText(text.mid(done, run.start - done));
        cursor.insertText(text.mid(run.start, length), charFormatOf(run));
        QTextBlockFormat block = cursor.blockFormat();
        block.setAlignment(alignmentOf(run.alignment));
        cursor.setBlockFormat(block);
        done = run.start + length;
    }
    if (done < text.size())
        cursor.insertText(text.mid(done));
    cursor.endEditBlock();
}

bool PatternEditor::canInsertFromMimeData(const QMimeData *source) const
{
    return source && (!rtfFormatIn(source).isEmpty() || source->hasText());
}

void PatternEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source)
        return;
    QTextCursor cursor = textCursor();
    const QString rtfType = rtfFormatIn(source);
    if (!rtfType.isEmpty()) {
        std::optional<DecodedText> rtf = RichTextCodec::load(source->data(rtfType));
        if (rtf && rtf->codec) {
            insertFormatted(cursor, rtf->text, rtf->codec->formattedRuns(rtf->text.size()));
            setTextCursor(cursor);
            return;
        }
    }
    if (source->hasText()) {
        cursor.insertText(source->text());
        setTextCursor(cursor);
    }
}
