#include "ui/Program.h"

#include "review/ReviewDialog.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"

#include <QGuiApplication>
#include <QScreen>

Program::Program(Prompter &prompter, const QString &programFolder)
    : m_main(std::make_unique<MainWindow>(prompter, programFolder))
{
    m_folder = new FolderDialog(m_main.get());
    m_review = new ReviewDialog(m_main->core().review, prompter, m_main.get());
    m_options = new OptionsDialog(m_main->core(), prompter, m_main.get());
    m_main->attachForms(m_folder, m_review, m_options);
    FolderDialog *folder = m_folder;
    m_options->setFolderChooser(
        [folder](const QString &start) { return folder->chooseFolder(start); });
    m_options->setUp(m_main.get(), m_folder);
}

Program::~Program() = default;

void Program::show()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = m_main->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_main->move(frame.topLeft());
    }
    m_main->show();
}
