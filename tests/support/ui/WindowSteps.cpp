#include "ui/WindowSteps.h"

#include "ui/WindowFixture.h"

#include "ui/FileListCommands.h"

using namespace Qt::StringLiterals;

void WindowSteps::selectPageAsUser(Ui::MainF &ui, QWidget *page)
{
    ui.OperationPC->setCurrentWidget(page);
}

QStringList WindowSteps::files(WindowFixture &f, int count, const QByteArray &content)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << f.write(u"data/f%1.txt"_s.arg(i, 3, 10, QChar(u'0')), content);
    return paths;
}

void WindowSteps::setList(WindowFixture &f, const QStringList &paths)
{
    f.prompter.openFiles = {paths};
    f.window().fileCommands().AddFileExecute();
}
