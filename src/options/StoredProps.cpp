#include "options/StoredProps.h"

using namespace Qt::StringLiterals;

namespace {

StoredProp checked(const QString &component)
{
    return {component, u"Checked"_s, StoredProp::Kind::Boolean};
}

} // namespace

QString StoredProps::mainSection()
{
    return u"Main"_s;
}

QString StoredProps::foldersSection()
{
    return u"Folders"_s;
}

QString StoredProps::optionsSection()
{
    return u"Options"_s;
}

QList<StoredProp> StoredProps::forMain()
{
    return {checked(u"MRCB"_s), checked(u"MSCB"_s), checked(u"RCB"_s), checked(u"RegexCB"_s)};
}

QList<StoredProp> StoredProps::forFolders()
{
    return {{u"DirLabel"_s, u"Caption"_s, StoredProp::Kind::String}, checked(u"RecurseCB"_s)};
}

QList<StoredProp> StoredProps::forOptions()
{
    return {
        checked(u"AutoSaveCB"_s),
        {u"BackupDirE"_s, u"Text"_s, StoredProp::Kind::String},
        {u"BackupRG"_s, u"ItemIndex"_s, StoredProp::Kind::Integer},
        checked(u"CaseSensitiveCB"_s),
        checked(u"ConfirmCB"_s),
        checked(u"DynamicEditCB"_s),
        checked(u"HTMCB"_s),
        checked(u"HTMLCB"_s),
        checked(u"JournalCB"_s),
        {u"JournalRunsE"_s, u"Value"_s, StoredProp::Kind::Integer},
        {u"JournalSizeE"_s, u"Value"_s, StoredProp::Kind::Integer},
        checked(u"LanguageEnglish"_s),
        checked(u"LanguageRussian"_s),
        checked(u"RTFCB"_s),
        checked(u"SHTMCB"_s),
        checked(u"SHTMLCB"_s),
        // Later additions: files without them keep the defaults.
        {u"SkipE"_s, u"Text"_s, StoredProp::Kind::String},
        {u"TableRG"_s, u"ItemIndex"_s, StoredProp::Kind::Integer},
        checked(u"TXTCB"_s),
    };
}
