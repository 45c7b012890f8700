#include "options/FormSettings.h"

#include "options/ProfileFile.h"
#include "options/StoredForm.h"
#include "options/WindowPlacement.h"

using namespace Qt::StringLiterals;

namespace {

// A decimal value, or `fallback` when there is none or it does not parse.
int intValue(const std::optional<QString> &text, int fallback)
{
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->toInt(&ok);
    return ok ? value : fallback;
}

// The value of the resolution's key, else of the plain key; nothing when both are missing or
// empty.
std::optional<QString> positionValue(const ProfileFile &file, const QString &section,
                                     const QString &key, const QString &suffix)
{
    for (const QString &name : {key + suffix, key}) {
        const std::optional<QString> text = file.value(section, name);
        if (text && !text->isEmpty())
            return text;
    }
    return std::nullopt;
}

void restorePlacement(const ProfileFile &file, const QString &section, StoredForm &form,
                      const QString &suffix)
{
    const WindowPlacement current = form.placement();
    const bool minMaxPresent = positionValue(file, section, u"MinMaxPos"_s, suffix).has_value();
    const std::optional<QString> norm = positionValue(file, section, u"NormPos"_s, suffix);
    const int pixelsPerInch
        = intValue(file.value(section, u"PixelsPerInch"_s), current.pixelsPerInch);
    if ((minMaxPresent || norm) && pixelsPerInch == current.pixelsPerInch) {
        WindowPlacement::Rect rect
            = WindowPlacement::parse(norm.value_or(QString()), current.normPos);
        if (!form.resizable()) {
            // A fixed size follows the form's texts (their language, the fonts): the stored
            // rectangle's centre is kept, which stays put whatever size the form has.
            const int centreX = rect.left + rect.width() / 2;
            const int centreY = rect.top + rect.height() / 2;
            rect.left = centreX - current.normPos.width() / 2;
            rect.top = centreY - current.normPos.height() / 2;
            rect.right = rect.left + current.normPos.width();
            rect.bottom = rect.top + current.normPos.height();
        }
        if (rect.left < rect.right)
            form.setNormalRect(rect);
    }
    const std::optional<QString> showCmd = file.value(section, u"ShowCmd"_s);
    form.setShowCmd(WindowPlacement::showCmdFromStored(intValue(showCmd, WindowPlacement::Normal)));
}

void restoreItem(const ProfileFile &file, const QString &section, const StoredProp &item,
                 StoredForm &form)
{
    const std::optional<QString> current = form.storedValue(item);
    if (!current)
        return;
    const QString text = file.value(section, item.key()).value_or(*current).trimmed();
    switch (item.kind) {
    case StoredProp::Kind::Boolean:
        if (text.compare(u"True"_s, Qt::CaseInsensitive) == 0)
            form.setStoredValue(item, u"True"_s);
        else if (text.compare(u"False"_s, Qt::CaseInsensitive) == 0)
            form.setStoredValue(item, u"False"_s);
        break;
    case StoredProp::Kind::Integer:
        form.setStoredValue(item, QString::number(text.toInt())); // 0 when it does not parse
        break;
    case StoredProp::Kind::String:
        form.setStoredValue(item, text);
        break;
    }
}

} // namespace

void FormSettings::save(ProfileFile &file, const QString &section, const QList<StoredProp> &items,
                        const StoredForm &form, QSize screenSize)
{
    const WindowPlacement placement = form.placement();
    const QString suffix = screenSuffix(screenSize);
    const QString minMax = WindowPlacement::format(placement.minMaxPos);
    const QString norm = WindowPlacement::format(placement.normPos);
    file.setValue(section, u"FormVersion"_s, u"0"_s);
    file.setValue(section, u"Flags"_s, QString::number(placement.flags));
    file.setValue(section, u"ShowCmd"_s, QString::number(placement.showCmd));
    file.setValue(section, u"PixelsPerInch"_s, QString::number(placement.pixelsPerInch));
    file.setValue(section, u"MinMaxPos"_s + suffix, minMax);
    file.setValue(section, u"MinMaxPos"_s, minMax);
    file.setValue(section, u"NormPos"_s + suffix, norm);
    file.setValue(section, u"NormPos"_s, norm);
    file.setValue(section, u"Visible"_s, u"0"_s);
    for (const StoredProp &item : items) {
        const std::optional<QString> value = form.storedValue(item);
        if (!value)
            continue;
        const QString text = ProfileFile::withoutControlCharacters(*value).trimmed();
        if (text.isEmpty() && item.kind != StoredProp::Kind::String)
            continue;
        // A boolean written by hand in another case reads the same: leave the user's line.
        const std::optional<QString> stored = file.value(section, item.key());
        if (item.kind == StoredProp::Kind::Boolean && stored
            && stored->compare(text, Qt::CaseInsensitive) == 0)
            continue;
        file.setValue(section, item.key(), text);
    }
}

void FormSettings::restore(const ProfileFile &file, const QString &section,
                           const QList<StoredProp> &items, StoredForm &form, QSize screenSize)
{
    if (intValue(file.value(section, u"FormVersion"_s), 0) < 0)
        return;
    restorePlacement(file, section, form, screenSuffix(screenSize));
    for (const StoredProp &item : items)
        restoreItem(file, section, item, form);
}

QString FormSettings::screenSuffix(QSize screenSize)
{
    return u"(%1x%2)"_s.arg(screenSize.width()).arg(screenSize.height());
}

QString FormSettings::booleanText(bool value)
{
    return value ? u"True"_s : u"False"_s;
}
