#pragma once

class MessageCatalogue;
class PatternEditor;
class Prompter;
class QWidget;

// The window's check of a regular expression before a run: a pattern the library refuses is
// told in a message box with the library's words and position, and the caret is put there.
class RegexPatternCheck {
public:
    // True when the pattern in `editor` was refused (and the user told so).
    static bool refuses(PatternEditor *editor, bool matchCase, const MessageCatalogue &messages,
                        Prompter &prompter, QWidget *parent);
};
