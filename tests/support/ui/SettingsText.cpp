#include "ui/SettingsText.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

using namespace Qt::StringLiterals;

QRect SettingsText::centred(QSize size)
{
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size,
                               QGuiApplication::primaryScreen()->availableGeometry());
}

QString SettingsText::normPos(const QRect &rect)
{
    return u"%1,%2,%3,%4"_s.arg(rect.left())
        .arg(rect.top())
        .arg(rect.left() + rect.width())
        .arg(rect.top() + rect.height());
}

QString SettingsText::placementKeys(const QRect &rect)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QString suffix = u"(%1x%2)"_s.arg(screen->size().width()).arg(screen->size().height());
    const int dpi = qRound(screen->logicalDotsPerInch());
    return u"FormVersion=0\nFlags=0\nShowCmd=1\nPixelsPerInch=%1\n"
           u"MinMaxPos%2=-1,-1,-1,-1\nMinMaxPos=-1,-1,-1,-1\n"
           u"NormPos%2=%3\nNormPos=%3\nVisible=0\n"_s.arg(dpi)
               .arg(suffix, normPos(rect));
}

QString SettingsText::defaultOptionsItems()
{
    return u"AutoSaveCB_Checked=True\n"
           u"BackupDirE_Text=\n"
           u"BackupRG_ItemIndex=0\n"
           u"CaseSensitiveCB_Checked=False\n"
           u"ConfirmCB_Checked=True\n"
           u"DynamicEditCB_Checked=True\n"
           u"HTMCB_Checked=True\n"
           u"HTMLCB_Checked=True\n"
           u"JournalCB_Checked=True\n"
           u"JournalRunsE_Value=20\n"
           u"JournalSizeE_Value=2\n"
           u"LanguageEnglish_Checked=True\n"
           u"LanguageRussian_Checked=False\n"
           u"RTFCB_Checked=True\n"
           u"SHTMCB_Checked=True\n"
           u"SHTMLCB_Checked=True\n"
           u"SkipE_Text=.git;.svn;.hg\n"
           u"TableRG_ItemIndex=0\n"
           u"TXTCB_Checked=True\n"_s;
}
