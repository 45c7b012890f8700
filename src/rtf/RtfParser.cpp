#include "rtf/RtfParser.h"

#include "rtf/RtfCodePages.h"
#include "rtf/RtfControlWords.h"
#include "rtf/RtfTextUnit.h"

#include <algorithm>

namespace {

constexpr char16_t LineBreak[] = {u'\r', u'\n'};

bool isByteToken(const RtfToken &token)
{
    return token.type == RtfTokenType::HexByte || token.type == RtfTokenType::HighByte
        || token.type == RtfTokenType::Text;
}

bool on(const RtfToken &token)
{
    return !token.hasParam || token.param != 0;
}

} // namespace

RtfParser::RtfParser(QByteArrayView data, RtfCodePages &pages)
    : m_data(data), m_pages(pages), m_tokens(data)
{
}

RtfParseResult RtfParser::parse(RtfSink &sink)
{
    m_sink = &sink;
    if (!start())
        return {};
    while (!m_done && !m_invalid) {
        const RtfToken token = m_tokens.next();
        if (token.type == RtfTokenType::End) {
            finishAtEnd();
            break;
        }
        step(token);
        m_last = token;
    }
    if (m_invalid)
        return {};
    m_result.valid = true;
    m_result.codePage = m_pages.page(m_codePage).number();
    return m_result;
}

// The content decides: "{\rtf" first, whatever the file is called.
bool RtfParser::start()
{
    if (!m_data.startsWith("{\\rtf"))
        return false;
    m_tokens.next();
    const RtfToken word = m_tokens.next();
    if (word.type != RtfTokenType::ControlWord || word.word != "rtf")
        return false;
    m_stack.emplace_back();
    m_last = word;
    return true;
}

void RtfParser::finishAtEnd()
{
    if (m_lead.active)
        flushLead();
    if (m_unicode.active)
        flushUnicode(true);
    // Text inserted at the very end must not complete a half-read token.
    recordEnd(m_last.truncated ? m_last.begin : m_data.size());
}

void RtfParser::recordEnd(qsizetype insertPos)
{
    m_result.endInsertPos = insertPos;
    m_result.endInBody = top().destination == RtfDestination::Body;
    m_result.endCodePage = currentPage().number();
    m_result.endUc = top().uc;
    m_result.endDepth = int(m_stack.size());
}

void RtfParser::step(RtfToken token)
{
    if (m_lead.active) {
        if (!isByteToken(token)) {
            flushLead();
        } else {
            pairLead(token);
            if (token.begin >= token.end)
                return;
        }
    }
    if (m_unicode.active) {
        // A token cut off by the end of the data is not taken into the character: text
        // inserted after the character must not land inside it.
        if (token.type == RtfTokenType::GroupOpen || token.type == RtfTokenType::GroupClose
            || token.truncated)
            flushUnicode(true);
        else if (token.type == RtfTokenType::Ignored || !skipFallback(token))
            return;
    }
    dispatch(token);
}

void RtfParser::dispatch(const RtfToken &token)
{
    // "\*" asks a reader to skip the group only when it does not know the destination word
    // that follows.
    if (top().starred && token.type != RtfTokenType::ControlWord
        && token.type != RtfTokenType::Ignored) {
        top().starred = false;
        if (!(token.type == RtfTokenType::ControlSymbol && token.value == '*'))
            top().destination = RtfDestination::Skip;
    }
    switch (token.type) {
    case RtfTokenType::GroupOpen:
        openGroup();
        break;
    case RtfTokenType::GroupClose:
        closeGroup(token);
        break;
    case RtfTokenType::ControlWord:
        controlWord(token);
        break;
    case RtfTokenType::ControlSymbol:
        controlSymbol(token);
        break;
    case RtfTokenType::HexByte:
        byte(token.value, token.begin, token.end, 0);
        break;
    case RtfTokenType::HighByte:
        byte(token.value, token.begin, token.end, RtfTextUnit::Literal);
        break;
    case RtfTokenType::Text:
        textRun(token.begin, token.end);
        break;
    default:
        break;
    }
}

void RtfParser::openGroup()
{
    if (int(m_stack.size()) >= MaxDepth) {
        m_invalid = true;
        return;
    }
    m_stack.push_back(top());
}

void RtfParser::closeGroup(const RtfToken &token)
{
    if (m_stack.size() > 1) {
        m_stack.pop_back();
        return;
    }
    recordEnd(token.begin);
    m_done = true;
}

namespace {

bool isDestination(RtfWordKind kind)
{
    return kind == RtfWordKind::SkipGroup || kind == RtfWordKind::ShownDestination
        || kind == RtfWordKind::FontTable || kind == RtfWordKind::ColourTable;
}

} // namespace

void RtfParser::controlWord(const RtfToken &token)
{
    RtfGroupState &state = top();
    if (state.destination == RtfDestination::Skip)
        return;
    const RtfWordInfo info = RtfControlWords::lookup(token.word);
    if (state.starred) {
        state.starred = false;
        if (!isDestination(info.kind)) {
            state.destination = RtfDestination::Skip;
            return;
        }
    }
    switch (info.kind) {
    case RtfWordKind::SkipGroup:
        state.destination = RtfDestination::Skip;
        break;
    case RtfWordKind::FontTable:
        state.destination = RtfDestination::FontTable;
        break;
    case RtfWordKind::ColourTable:
        state.destination = RtfDestination::ColourTable;
        break;
    case RtfWordKind::Character:
        literalCharacter(info.ch, token);
        break;
    case RtfWordKind::Break:
        if (state.destination == RtfDestination::Body)
            show(QStringView(LineBreak, 2), token.begin, token.end, 0);
        break;
    case RtfWordKind::CellBreak:
        if (state.destination == RtfDestination::Body)
            show(QStringView(LineBreak, 2), token.begin, token.end, RtfTextUnit::Kept);
        break;
    case RtfWordKind::Unicode:
        startUnicode(token);
        break;
    case RtfWordKind::UnicodeSkip:
        state.uc = quint8(std::clamp(token.hasParam ? token.param : 1, 0, 255));
        break;
    default:
        if (!tableWord(info, token))
            formatWord(info, token);
        break;
    }
}

// Words that describe the document's code page, fonts and colours.
bool RtfParser::tableWord(const RtfWordInfo &info, const RtfToken &token)
{
    const RtfDestination destination = top().destination;
    switch (info.kind) {
    case RtfWordKind::AnsiCodePage:
        if (token.hasParam && token.param > 0) {
            m_codePage = token.param;
            m_codePageSet = true;
        }
        return true;
    case RtfWordKind::CharacterSet:
        if (!m_codePageSet)
            m_codePage = info.ch;
        return true;
    case RtfWordKind::DefaultFont:
        m_defaultFont = token.param;
        return true;
    case RtfWordKind::Font:
        if (destination == RtfDestination::FontTable)
            m_fonts.begin(token.param);
        else
            top().chars.font = token.param;
        return true;
    case RtfWordKind::FontCharset:
        if (destination == RtfDestination::FontTable)
            m_fonts.setCharset(token.param);
        return true;
    case RtfWordKind::FontCodePage:
        if (destination == RtfDestination::FontTable)
            m_fonts.setCodePage(token.param);
        return true;
    default:
        return colourWord(info, token);
    }
}

bool RtfParser::colourWord(const RtfWordInfo &info, const RtfToken &token)
{
    const bool inTable = top().destination == RtfDestination::ColourTable;
    switch (info.kind) {
    case RtfWordKind::Red:
        if (inTable)
            m_colours.setRed(token.param);
        return true;
    case RtfWordKind::Green:
        if (inTable)
            m_colours.setGreen(token.param);
        return true;
    case RtfWordKind::Blue:
        if (inTable)
            m_colours.setBlue(token.param);
        return true;
    default:
        return false;
    }
}

void RtfParser::formatWord(const RtfWordInfo &info, const RtfToken &token)
{
    RtfGroupState &state = top();
    switch (info.kind) {
    case RtfWordKind::Plain:
        state.chars = RtfCharFormat{};
        break;
    case RtfWordKind::Bold:
        state.chars.bold = on(token);
        break;
    case RtfWordKind::Italic:
        state.chars.italic = on(token);
        break;
    case RtfWordKind::Underline:
        state.chars.underline = on(token);
        break;
    case RtfWordKind::UnderlineNone:
        state.chars.underline = false;
        break;
    case RtfWordKind::FontSize:
        state.chars.sizeHalfPoints = token.param > 0 ? token.param : 24;
        break;
    case RtfWordKind::Colour:
        state.chars.colour = std::max(token.param, 0);
        break;
    case RtfWordKind::ParagraphDefault:
        state.alignment = TextAlignment::Left;
        break;
    case RtfWordKind::Align:
        state.alignment = TextAlignment(info.ch);
        break;
    default:
        break;
    }
}

void RtfParser::controlSymbol(const RtfToken &token)
{
    switch (token.value) {
    case '\\':
    case '{':
    case '}':
        literalCharacter(token.value, token);
        break;
    case '~':
        literalCharacter(0x00A0, token);
        break;
    case '_':
        literalCharacter(0x2011, token);
        break;
    case '-':
        literalCharacter(0x00AD, token);
        break;
    case '*':
        top().starred = true;
        break;
    case '\r':
    case '\n':
        if (top().destination == RtfDestination::Body)
            show(QStringView(LineBreak, 2), token.begin, token.end, 0);
        break;
    default:
        break;
    }
}

void RtfParser::literalCharacter(char16_t ch, const RtfToken &token)
{
    if (top().destination == RtfDestination::Body)
        show(QStringView(&ch, 1), token.begin, token.end, 0);
    else if (top().destination == RtfDestination::FontTable && ch < 0x80)
        m_fonts.appendToName(char(ch));
}

void RtfParser::byte(uchar value, qsizetype begin, qsizetype end, quint8 flags)
{
    if (top().destination == RtfDestination::FontTable) {
        m_fonts.appendToName(char(value));
        return;
    }
    if (top().destination != RtfDestination::Body)
        return;
    RtfCodePage &page = currentPage();
    if (page.isLeadByte(value)) {
        m_lead = PendingLead{true, value, begin, end};
        return;
    }
    const char16_t ch = page.decodeByte(value);
    show(QStringView(&ch, 1), begin, end, flags);
}

void RtfParser::textRun(qsizetype begin, qsizetype end)
{
    if (top().destination == RtfDestination::Body) {
        m_buffer = QString::fromLatin1(m_data.sliced(begin, end - begin));
        show(m_buffer, begin, end, RtfTextUnit::Literal);
    } else {
        tableText(begin, end);
    }
}

void RtfParser::tableText(qsizetype begin, qsizetype end)
{
    const RtfDestination destination = top().destination;
    for (qsizetype i = begin; i < end; ++i) {
        const char c = m_data[i];
        if (destination == RtfDestination::FontTable)
            c == ';' ? m_fonts.endName() : m_fonts.appendToName(c);
        else if (destination == RtfDestination::ColourTable && c == ';')
            m_colours.endEntry();
    }
}

// A double-byte character: the pending lead byte and the first byte of `token`.
void RtfParser::pairLead(RtfToken &token)
{
    const bool run = token.type == RtfTokenType::Text;
    const uchar trail = run ? uchar(m_data[token.begin]) : token.value;
    const qsizetype end = run ? token.begin + 1 : token.end;
    const QString chars = currentPage().decodePair(m_lead.byte, trail);
    m_lead.active = false;
    show(chars, m_lead.begin, end, 0);
    token.begin = run ? end : token.end;
}

void RtfParser::flushLead()
{
    m_lead.active = false;
    const char16_t ch = currentPage().decodeByte(m_lead.byte);
    show(QStringView(&ch, 1), m_lead.begin, m_lead.end, RtfTextUnit::LoneLead);
}

void RtfParser::startUnicode(const RtfToken &token)
{
    if (!token.hasParam)
        return;
    const qint64 value = token.param < 0 ? qint64(token.param) + 65536 : token.param;
    const char16_t ch = value >= 0 && value <= 0xFFFF ? char16_t(value) : char16_t(0xFFFD);
    m_unicode = PendingUnicode{true, ch, token.begin, token.end, top().uc};
    if (m_unicode.remaining == 0)
        flushUnicode(false);
}

// Skips one fallback character; the rest of a text run is left in `token`, and true is
// returned when there is such a rest to read.
bool RtfParser::skipFallback(RtfToken &token)
{
    if (token.type == RtfTokenType::Text) {
        const qsizetype taken = std::min<qsizetype>(m_unicode.remaining, token.end - token.begin);
        token.begin += taken;
        m_unicode.remaining -= int(taken);
    } else {
        token.begin = token.end;
        --m_unicode.remaining;
    }
    m_unicode.end = token.begin;
    if (m_unicode.remaining == 0)
        flushUnicode(false);
    return token.begin < token.end;
}

void RtfParser::flushUnicode(bool interrupted)
{
    m_unicode.active = false;
    if (top().destination != RtfDestination::Body)
        return;
    const quint8 flags = interrupted && m_unicode.remaining > 0 ? RtfTextUnit::OpenFallback : 0;
    show(QStringView(&m_unicode.ch, 1), m_unicode.begin, m_unicode.end, flags);
}

void RtfParser::show(QStringView chars, qsizetype begin, qsizetype end, quint8 flags)
{
    RtfTextEvent event;
    event.chars = chars;
    event.begin = begin;
    event.end = end;
    event.flags = flags;
    event.codePage = currentPage().number();
    event.depth = int(m_stack.size());
    event.state = &top();
    m_sink->text(event);
}

RtfCodePage &RtfParser::currentPage()
{
    const int font = top().chars.font >= 0 ? top().chars.font : m_defaultFont;
    return m_pages.page(m_fonts.codePageOf(font, m_codePage));
}
