#include "ui/Program.h"

#include "review/ReviewDialog.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"

#include <QGuiApplication>
#include <QScreen>

Program::Program(Prompter &prompter, const QString &executablePath)
    : m_main(std::make_unique<MainWindow>(prompter, executablePath))
{
    MainWindow *main = m_main.get();
    m_folder = new FolderDialog(main);
    m_review = new ReviewDialog(main->core().review, prompter, main);
    m_options = new OptionsDialog(main->core(), prompter, main);
    main->attachForms(m_folder, m_review, m_options);
    FolderDialog *folder = m_folder;
    m_options->setFolderChooser(
        [folder](const QString &start) { return folder->chooseFolder(start); });
    QObject::connect(m_options, &OptionsDialog::helpFolderChosen, main, &MainWindow::setHelpFolder);
    m_options->setUp(main, m_folder);
}

Program::~Program() = default;

void Program::show()
{
    // A placement restored from the settings has moved the window already.
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && !m_main->testAttribute(Qt::WA_Moved)) {
        QRect frame = m_main->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_main->move(frame.topLeft());
    }
    m_main->show();
}
