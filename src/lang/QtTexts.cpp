#include "lang/QtTexts.h"

#include <cstring>

namespace {

struct Gap {
    const char *context;
    const char *source;
    const char16_t *russian;
};

// Qt 6 moved these to a context its Russian file does not have yet.
constexpr Gap RussianGaps[] = {
    {"QAbstractFileIconProvider", "Folder", u"Папка"},
    {"QAbstractFileIconProvider", "Drive", u"Диск"},
    {"QAbstractFileIconProvider", "File", u"Файл"},
    {"QAbstractFileIconProvider", "Shortcut", u"Ярлык"},
};

} // namespace

QString QtTexts::translate(const char *context, const char *sourceText, const char *disambiguation,
                           int n) const
{
    const QString text = QTranslator::translate(context, sourceText, disambiguation, n);
    if (!text.isEmpty() || m_language != u"ru" || !context || !sourceText)
        return text;
    for (const Gap &gap : RussianGaps) {
        if (std::strcmp(gap.context, context) == 0 && std::strcmp(gap.source, sourceText) == 0)
            return QString::fromUtf16(gap.russian);
    }
    return text;
}
