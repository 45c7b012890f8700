#pragma once

#include "rtf/RtfColourTable.h"
#include "rtf/RtfFontTable.h"
#include "rtf/RtfGroupState.h"
#include "rtf/RtfParseResult.h"
#include "rtf/RtfSink.h"
#include "rtf/RtfTokenizer.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

class RtfCodePage;
class RtfCodePages;
struct RtfWordInfo;

// Reads an RTF source once, from "{\rtf" to the brace that closes it, and hands the shown text
// to a sink. Whatever follows that brace is not read. A truncated source is read up to its end.
class RtfParser {
public:
    RtfParser(QByteArrayView data, RtfCodePages &pages);

    RtfParseResult parse(RtfSink &sink);

    const RtfFontTable &fonts() const { return m_fonts; }
    const RtfColourTable &colours() const { return m_colours; }
    int defaultFont() const { return m_defaultFont; }
    int codePage() const { return m_codePage; }

    // Deeper nesting makes the source invalid; no real document comes near it.
    static constexpr int MaxDepth = 1024;

private:
    struct PendingLead {
        bool active = false;
        uchar byte = 0;
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    struct PendingUnicode {
        bool active = false;
        char16_t ch = 0;
        qsizetype begin = 0;
        qsizetype end = 0;
        int remaining = 0;
    };

    bool start();
    void finishAtEnd();
    void recordEnd(qsizetype insertPos);
    void step(RtfToken token);
    void dispatch(const RtfToken &token);
    void openGroup();
    void closeGroup(const RtfToken &token);
    void controlWord(const RtfToken &token);
    bool tableWord(const RtfWordInfo &info, const RtfToken &token);
    bool colourWord(const RtfWordInfo &info, const RtfToken &token);
    void formatWord(const RtfWordInfo &info, const RtfToken &token);
    void controlSymbol(const RtfToken &token);
    void literalCharacter(char16_t ch, const RtfToken &token);
    void byte(uchar value, qsizetype begin, qsizetype end, quint8 flags);
    void textRun(qsizetype begin, qsizetype end);
    void tableText(qsizetype begin, qsizetype end);
    void pairLead(RtfToken &token);
    void flushLead();
    void startUnicode(const RtfToken &token);
    bool skipFallback(RtfToken &token);
    void flushUnicode(bool interrupted);
    void show(QStringView chars, qsizetype begin, qsizetype end, quint8 flags);
    RtfCodePage &currentPage();
    RtfGroupState &top() { return m_stack.back(); }

    QByteArrayView m_data;
    RtfCodePages &m_pages;
    RtfTokenizer m_tokens;
    RtfSink *m_sink = nullptr;
    std::vector<RtfGroupState> m_stack;
    RtfFontTable m_fonts;
    RtfColourTable m_colours;
    PendingLead m_lead;
    PendingUnicode m_unicode;
    RtfToken m_last;
    RtfParseResult m_result;
    QString m_buffer;
    int m_codePage = 1252;
    bool m_codePageSet = false;
    int m_defaultFont = 0;
    bool m_done = false;
    bool m_invalid = false;
};
