#include "ui/StandInFolderChooser.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

StandInFolderChooser::StandInFolderChooser(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"FolderDF"_s);
    auto *layout = new QVBoxLayout(this);
    DirLabel = new QLabel(u"/home/user/site"_s, this);
    DirLabel->setObjectName(u"DirLabel"_s);
    RecurseCB = new QCheckBox(this);
    RecurseCB->setObjectName(u"RecurseCB"_s);
    layout->addWidget(DirLabel);
    layout->addWidget(RecurseCB);
    setFixedSize(305, 311);
}
