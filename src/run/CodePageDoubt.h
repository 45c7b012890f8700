#pragma once

#include "document/CodePage.h"

#include <QString>

#include <optional>

class Document;
class EngineState;
class OptionState;

// A file read in an 8-bit code page whose bytes look like Russian in another of the four. The
// run says so once for the file; a replace run that nobody reviews leaves it untouched when
// what it would write depends on the code page, unless the code page was named for the run.
class CodePageDoubt {
public:
    // The code page `document` looks likelier to be in; nothing when it was not read in an
    // 8-bit code page, fits the one it was read in, or the run was told its code page.
    static std::optional<CodePage> of(const Document &document, const OptionState &options);
    static std::optional<CodePage> of(const Document &document, bool codePageChosen);
    // Whether a doubtful file is left untouched: a replace run (`replacing`) whose occurrences
    // are not shown to the user (`reviewed` false) and whose search or replacement text holds
    // a character outside ASCII. Patterns of ASCII alone find and write the same bytes in each
    // of the four code pages.
    static bool holds(const EngineState &state, bool replacing, bool reviewed);
    // The name the report gives the code page.
    static QString nameOf(CodePage page);
};
