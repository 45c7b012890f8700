#pragma once

#include "engine/EngineState.h"
#include "text/DocumentView.h"

#include <QStringView>

// Produces ReplaceText, the text that replaces the current occurrence: the replacement pattern
// as typed, or, with replacement wildcards, literals, running numbers and copies of what the
// search blocks (or a regular expression's groups) matched in the last successful match.
class ReplacementBuilder {
public:
    explicit ReplacementBuilder(EngineState &state) : m_state(state) { }

    // Once per replace run: takes the plain replacement text, or restarts every counter.
    void PrepareReplacement(QStringView replacementPattern);

    // For each replacement carried out while replacement wildcards are on, before the
    // occurrence is overwritten. Reads the document at the positions of the last match.
    void BuildReplacement(const DocumentView &document);

private:
    void AppendBackReference(const DocumentView &document, const TMaskBlockS &reference);
    // What group `group` of the last regular expression match covered (nothing when unset).
    void AppendGroup(const DocumentView &document, int group);

    EngineState &m_state;
};
