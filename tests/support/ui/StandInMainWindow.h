#pragma once

#include <QMainWindow>

class QCheckBox;
class QLineEdit;

// Stands in for the main window MainF in tests of the settings file and the language switch:
// the three stored check boxes RCB (checked), MSCB and MRCB, a pattern editor holding data,
// the window's size and minimum size, and texts that follow the language like a form's.
class StandInMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit StandInMainWindow(QWidget *parent = nullptr);

    QCheckBox *RCB = nullptr;
    QCheckBox *MSCB = nullptr;
    QCheckBox *MRCB = nullptr;
    QCheckBox *RegexCB = nullptr;
    QLineEdit *SourceRE = nullptr;

    // How often the texts were set.
    int retranslations = 0;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();
};
