#include "ui/RegexPatternCheck.h"

#include "engine/RegexPattern.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "ui/PatternEditor.h"
#include "ui/Prompter.h"

#include <QTextCursor>

#include <optional>

bool RegexPatternCheck::refuses(PatternEditor *editor, bool matchCase,
                                const MessageCatalogue &messages, Prompter &prompter,
                                QWidget *parent)
{
    const QString pattern = editor->patternText();
    const std::optional<RegexPattern::Error> error = RegexPattern::check(pattern, matchCase);
    if (!error)
        return false;
    prompter.showMessage(parent,
                         messages.message(MsgRegexRefused, error->offset + 1, error->message));
    // The pattern has CR LF where the editor has one separator.
    const qsizetype offset = std::min(error->offset, pattern.size());
    const qsizetype breaks = QStringView(pattern).first(offset).count(u"\r\n");
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(int(offset - breaks));
    editor->setTextCursor(cursor);
    editor->setFocus();
    return true;
}
