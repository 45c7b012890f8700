#pragma once

#include <QObject>

class MainWindow;
class PreviewPage;

// The main window's preview command (menu, tool button, the files page's button, Shift+F9):
// runs the job dry onto the preview page, a tab of its own while there is a preview; applying
// shows the run's report, and closing takes the tab away.
class PreviewCommands : public QObject {
    Q_OBJECT
public:
    explicit PreviewCommands(MainWindow &window);

    PreviewPage *page() const { return m_page; }
    void PreviewFilesExecute();

private:
    void closePage();

    MainWindow &m_window;
    PreviewPage *m_page = nullptr;
};
