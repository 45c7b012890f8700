#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

// Stands in for the folder chooser FolderDF in tests of the settings file: the folder label
// DirLabel and the check box RecurseCB, in a dialog of fixed size.
class StandInFolderChooser : public QDialog {
    Q_OBJECT
public:
    explicit StandInFolderChooser(QWidget *parent = nullptr);

    QLabel *DirLabel = nullptr;
    QCheckBox *RecurseCB = nullptr;
};
