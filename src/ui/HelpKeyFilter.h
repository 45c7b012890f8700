#pragma once

#include <QObject>

#include <functional>

class QWidget;

// F1 in any window of the program opens the help topic of the focused control: the main
// window, the dialogs (modal ones included) and the message boxes. The help window itself
// keeps F1 for nothing.
class HelpKeyFilter : public QObject {
    Q_OBJECT
public:
    using ShowHelp = std::function<void(QWidget *focus)>;

    HelpKeyFilter(QObject *owner, ShowHelp showHelp);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ShowHelp m_showHelp;
};
