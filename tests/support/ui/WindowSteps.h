#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;
class WindowFixture;
namespace Ui {
class MainF;
}

// Steps the main window's tests share: pages chosen as the user does, file lists to run over.
class WindowSteps {
public:
    // Makes `page` current as a click on its tab does.
    static void selectPageAsUser(Ui::MainF &ui, QWidget *page);
    // Writes `count` files data/f000.txt... holding `content` and returns their paths.
    static QStringList files(WindowFixture &f, int count,
                             const QByteArray &content = "one two one\r\n");
    // Adds `paths` to the file list through the command "Add files".
    static void setList(WindowFixture &f, const QStringList &paths);
};
