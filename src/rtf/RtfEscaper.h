#pragma once

#include "rtf/RtfTextUnit.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

class RtfCodePage;
class RtfCodePages;

// The reading context at the place where text is inserted.
struct RtfInsertContext {
    int codePage = 1252;
    int uc = 1;
    int depth = 1;
};

// Text written as RTF, with the plain text it reads back as and its units; unit positions are
// relative to the start of `bytes` and `plain`.
struct RtfEscapedText {
    QByteArray bytes;
    QString plain;
    std::vector<RtfTextUnit> units;
    bool addsGroup = false;
};

// Writes plain text as RTF text that reads back as the same characters in the given context:
// \\ \{ \} escaped, a line break (CR LF, LF or CR) as \par, TAB as \tab, other characters as
// \'hh in the context's code page or else as \uN with a '?' fallback. Where \uc is not 1 the
// \uN escapes are wrapped in {\uc1 ...}.
class RtfEscaper {
public:
    explicit RtfEscaper(RtfCodePages &pages) : m_pages(pages) { }

    RtfEscapedText escape(QStringView text, const RtfInsertContext &context);

private:
    qsizetype unicodeRun(QStringView text, qsizetype from, RtfCodePage &page);
    void addLiteral(char byte);
    void addAtom(const QByteArray &bytes, QStringView chars, int uc, int depth);
    void addUnicode(char16_t ch, int depth);
    static bool needsUnicode(char16_t ch, RtfCodePage &page);

    RtfCodePages &m_pages;
    RtfEscapedText m_out;
    RtfInsertContext m_context;
};
