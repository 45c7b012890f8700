#include "ui/AboutBox.h"

#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"

#include <QApplication>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

AboutBox::AboutBox(const MessageCatalogue &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages)
{
    m_ui.setupUi(this);
    QFont title = m_ui.ProgramL->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    m_ui.ProgramL->setFont(title);
    m_ui.IconL->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    m_ui.QtL->setText(QString::fromLatin1(qVersion()));
    m_ui.SystemL->setText(QSysInfo::prettyProductName() + u" ("_s + QSysInfo::kernelType() + u' '
                          + QSysInfo::kernelVersion() + u')');
    m_ui.UserL->setText(userName());
    m_ui.HostL->setText(QSysInfo::machineHostName());
    connect(m_ui.OkB, &QPushButton::clicked, this, &QDialog::accept);
    retranslateUi();
}

QString AboutBox::userName()
{
#ifdef Q_OS_UNIX
    if (const passwd *entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

void AboutBox::retranslateUi()
{
    m_ui.retranslateUi(this);
    m_ui.VersionL->setText(m_messages.message(MsgVersion, QCoreApplication::applicationVersion()));
}

void AboutBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}
