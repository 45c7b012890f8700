#pragma once

#include <QString>

#include <memory>

class FolderDialog;
class MainWindow;
class OptionsDialog;
class Prompter;
class ReviewDialog;

// The program's start-up: the state is set first (the program's folder, the settings file, the
// built-in texts), then the four long-lived forms are created in their order, MainF, FolderDF,
// ProcessF and OptionsF; setting up OptionsF reads the settings (or writes them on a first
// start), applies the stored language and builds the option state. They live until the program
// ends.
class Program {
public:
    // `executablePath` is the program's file: its folder is ProgramFolder, and the language
    // modules are named after it.
    Program(Prompter &prompter, const QString &executablePath);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    MainWindow &mainWindow() { return *m_main; }
    FolderDialog &folderDialog() { return *m_folder; }
    ReviewDialog &reviewDialog() { return *m_review; }
    OptionsDialog &optionsDialog() { return *m_options; }

    // Shows the main window on its page "В файлах": where the settings placed it, else at the
    // centre of the screen.
    void show();

private:
    std::unique_ptr<MainWindow> m_main;
    FolderDialog *m_folder = nullptr;
    ReviewDialog *m_review = nullptr;
    OptionsDialog *m_options = nullptr;
};
