#include "engine/ReplacementBuilder.h"

void ReplacementBuilder::PrepareReplacement(QStringView replacementPattern)
{
    if (!m_state.ReplaceWildcards) {
        m_state.ReplaceText = replacementPattern.toString();
    } else {
        for (int i = 1; i <= m_state.ReplaceBlockCount; ++i) {
            TMaskBlockS &block = m_state.ReplaceBlocks[size_t(i)];
            if (block.Kind == mkCounter)
                block.Pos = block.NumBefore;
        }
    }
    m_state.ReplaceLen = m_state.ReplaceText.size();
}

void ReplacementBuilder::BuildReplacement(const DocumentView &document)
{
    QString &text = m_state.ReplaceText;
    text.clear();
    for (int i = 1; i <= m_state.ReplaceBlockCount; ++i) {
        TMaskBlockS &block = m_state.ReplaceBlocks[size_t(i)];
        switch (block.Kind) {
        case mkLiteral:
            text += block.Text;
            break;
        case mkCounter:
            text += QString::number(block.Pos);
            block.Pos += block.NumAfter; // 64-bit: numbering never wraps
            break;
        case mkBackRef:
            if (m_state.FindRegex)
                AppendGroup(document, int(block.Pos));
            else
                AppendBackReference(document, block);
            break;
        default:
            break;
        }
    }
    m_state.ReplaceLen = text.size();
}

void ReplacementBuilder::AppendBackReference(const DocumentView &document,
                                             const TMaskBlockS &reference)
{
    if (reference.Pos < 1 || reference.Pos > m_state.FindBlockCount)
        return;
    const auto index = size_t(reference.Pos);
    const TMaskBlockS &found = m_state.FindBlocks[index];
    switch (found.Kind) {
    case mkFixedGap:
        m_state.ReplaceText += document.mid(found.Pos, found.Width);
        break;
    case mkAnyGap:
        // A "*" is always followed by a literal, whose position ends what the gap covered.
        m_state.ReplaceText
            += document.mid(found.Pos, m_state.FindBlocks[index + 1].Pos - found.Pos);
        break;
    default:
        m_state.ReplaceText += found.Text;
        break;
    }
}

void ReplacementBuilder::AppendGroup(const DocumentView &document, int group)
{
    const auto [start, length] = m_state.Regex.group(group);
    if (start >= 0)
        m_state.ReplaceText += document.mid(start, length);
}
