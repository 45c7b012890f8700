#include "ui/StandInMainWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

StandInMainWindow::StandInMainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(u"MainF"_s);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    RCB = new QCheckBox(central);
    RCB->setObjectName(u"RCB"_s);
    RCB->setChecked(true);
    MSCB = new QCheckBox(central);
    MSCB->setObjectName(u"MSCB"_s);
    MRCB = new QCheckBox(central);
    MRCB->setObjectName(u"MRCB"_s);
    RegexCB = new QCheckBox(central);
    RegexCB->setObjectName(u"RegexCB"_s);
    SourceRE = new QLineEdit(central);
    SourceRE->setObjectName(u"SourceRE"_s);
    for (QWidget *widget :
         {static_cast<QWidget *>(RCB), static_cast<QWidget *>(MSCB), static_cast<QWidget *>(MRCB),
          static_cast<QWidget *>(RegexCB), static_cast<QWidget *>(SourceRE)})
        layout->addWidget(widget);
    setCentralWidget(central);
    setMinimumSize(640, 435);
    resize(640, 463);
    retranslateUi();
}

void StandInMainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

// Texts by id, as a form built from a .ui file sets them; catalogue ids stand in for the form's.
void StandInMainWindow::retranslateUi()
{
    ++retranslations;
    setWindowTitle(qtTrId("Message.65301"));
    RCB->setText(qtTrId("Message.65298"));
    MSCB->setText(qtTrId("Message.65299"));
    MRCB->setText(qtTrId("Message.65300"));
}
