#pragma once

#include "ui_AboutBox.h"

#include <QDialog>

class MessageCatalogue;

// The about box: the program's version, the Qt library, the operating system, the user and the
// computer. It exists only while it is shown.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const MessageCatalogue &messages, QWidget *parent = nullptr);

    static QString userName();
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::AboutF m_ui;
    const MessageCatalogue &m_messages;
};
