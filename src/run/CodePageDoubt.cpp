#include "run/CodePageDoubt.h"

#include "document/Document.h"
#include "document/PlainTextCodec.h"
#include "engine/EngineState.h"
#include "options/OptionState.h"

#include <algorithm>

namespace {

bool beyondAscii(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x80; });
}

} // namespace

std::optional<CodePage> CodePageDoubt::of(const Document &document, const OptionState &options)
{
    return of(document, options.CodePageChosen);
}

std::optional<CodePage> CodePageDoubt::of(const Document &document, bool codePageChosen)
{
    const PlainTextCodec *plain = document.plainText();
    if (codePageChosen || !plain)
        return std::nullopt;
    return plain->likelierCodePage();
}

bool CodePageDoubt::holds(const EngineState &state, bool replacing, bool reviewed)
{
    if (!replacing || reviewed)
        return false;
    if (beyondAscii(state.SearchText) || beyondAscii(state.ReplaceText))
        return true;
    if (!state.ReplaceWildcards)
        return false;
    for (int i = 1; i <= state.ReplaceBlockCount; ++i) {
        if (beyondAscii(state.ReplaceBlocks[size_t(i)].Text))
            return true;
    }
    return false;
}

QString CodePageDoubt::nameOf(CodePage page)
{
    return QString::fromLatin1(CodePages::name(page));
}
