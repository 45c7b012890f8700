#include "run/PatternLineBreaks.h"

#include "engine/EngineState.h"

using namespace Qt::StringLiterals;

namespace {

const QString crlf = u"\r\n"_s;

QString converted(const QString &text, const QString &lineBreak)
{
    if (lineBreak == crlf || !text.contains(crlf))
        return text;
    QString out = text;
    return out.replace(crlf, lineBreak);
}

QStringList literalTexts(const MaskTable &table, int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts << table[size_t(i)].Text;
    return texts;
}

void applyToLiterals(MaskTable &table, const QStringList &texts, const QString &lineBreak)
{
    for (qsizetype i = 0; i < texts.size(); ++i) {
        TMaskBlockS &block = table[size_t(i) + 1];
        if (block.Kind != mkLiteral)
            continue;
        block.Text = converted(texts[i], lineBreak);
        block.Width = int(block.Text.size());
    }
}

} // namespace

void PatternLineBreaks::Capture(const EngineState &state, bool replacing)
{
    m_replacing = replacing;
    m_searchText = state.SearchText;
    m_replaceText = state.ReplaceText;
    m_findTexts = state.FindWildcards ? literalTexts(state.FindBlocks, state.FindBlockCount)
                                      : QStringList();
    m_replaceTexts = state.ReplaceWildcards
        ? literalTexts(state.ReplaceBlocks, state.ReplaceBlockCount)
        : QStringList();
}

void PatternLineBreaks::Apply(EngineState &state, const QString &lineBreak) const
{
    // A regular expression has its own pattern for each line-break style.
    state.Regex.startFile(lineBreak);
    state.SearchText = converted(m_searchText, lineBreak);
    state.SearchLen = state.SearchText.size();
    applyToLiterals(state.FindBlocks, m_findTexts, lineBreak);
    if (!m_replacing)
        return;
    if (state.ReplaceWildcards) {
        applyToLiterals(state.ReplaceBlocks, m_replaceTexts, lineBreak);
    } else {
        state.ReplaceText = converted(m_replaceText, lineBreak);
        state.ReplaceLen = state.ReplaceText.size();
    }
}
