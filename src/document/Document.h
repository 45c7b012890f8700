#pragma once

#include "document/DocumentCodec.h"
#include "document/PositionMapper.h"
#include "io/FileStamp.h"
#include "text/DocumentView.h"
#include "text/FormattedRun.h"
#include "text/GapBuffer.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <memory>
#include <optional>

class PlainTextCodec;

// The text of one file as the runs search and change it, its changed flag, and (through its
// codec) what is needed to write it back in the file's own format.
class Document {
public:
    // An empty plain-text document in code page 1251.
    Document();
    // A plain-text document in code page 1251 holding `text`, with its line-break style.
    explicit Document(QString text);
    // `codec` null means plain text in code page 1251.
    Document(QString text, std::unique_ptr<DocumentCodec> codec, bool binary = false);
    Document(const Document &other);
    Document &operator=(const Document &other);
    Document(Document &&) noexcept;
    Document &operator=(Document &&) noexcept;
    ~Document();

    qsizetype length() const { return m_text.size(); }
    QString text() const { return mid(0, length()); }
    QString mid(qsizetype pos, qsizetype count) const;
    QChar at(qsizetype pos) const { return m_text.at(pos); }
    // A contiguous window covering at least [from, length()); valid until the next view or
    // edit. Cheap when `from` is at or after the last edit.
    DocumentView view(qsizetype from = 0) const;
    // The text as it is held, in two pieces (before and after the place of the last edit):
    // reading them needs no moving of text.
    std::array<QStringView, 2> pieces() const
    {
        const std::span<const QChar> before = m_text.before();
        const std::span<const QChar> after = m_text.after();
        return {QStringView(before.data(), qsizetype(before.size())),
                QStringView(after.data(), qsizetype(after.size()))};
    }

    // Replaces `count` characters at `pos` by `text` and marks the document changed.
    // Returns the edit as made: a format may widen it (RTF keeps a line break or a table cell
    // whole). Nothing, and no change, when the format has no place for the text.
    std::optional<TextEdit> replace(qsizetype pos, qsizetype count, QStringView text);

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // A binary document (NUL bytes without a UTF-16 mark) must never be written.
    bool isBinary() const { return m_binary; }

    // Lines, columns and paragraph offsets of this text; built on first use and kept in step
    // with every edit from then on.
    const PositionMapper &positions() const;
    // The text's formatting, for showing it: one run for plain text.
    QList<FormattedRun> formattedRuns() const { return m_codec->formattedRuns(length()); }

    // The document's own line break: CR LF, LF or CR (CR LF when mixed or absent).
    QString lineBreak() const;
    // `text` with its CR LF pairs turned into the document's line break.
    QString toDocumentLineBreaks(QStringView text) const;
    // Whether `text` can be written in the document's file format and encoding.
    bool canEncode(QStringView text) const;

    FileFormat format() const { return m_codec->format(); }
    // The file the text was read from (a symbolic link's final target) and its stamp then;
    // empty for a document not read from a file. A save to that file checks the stamp.
    const QString &sourcePath() const { return m_sourcePath; }
    const std::optional<FileStamp> &sourceStamp() const { return m_sourceStamp; }
    void setSource(const QString &path, const std::optional<FileStamp> &stamp)
    {
        m_sourcePath = path;
        m_sourceStamp = stamp;
    }
    const DocumentCodec &codec() const { return *m_codec; }
    // The plain-text state, or null for another format.
    const PlainTextCodec *plainText() const;

private:
    mutable GapBuffer<QString> m_text;
    std::unique_ptr<DocumentCodec> m_codec;
    mutable std::unique_ptr<PositionMapper> m_positions;
    QString m_sourcePath;
    std::optional<FileStamp> m_sourceStamp;
    bool m_modified = false;
    bool m_binary = false;
};
