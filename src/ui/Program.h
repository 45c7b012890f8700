#pragma once

#include <QString>

#include <memory>

class FolderDialog;
class MainWindow;
class OptionsDialog;
class Prompter;
class ReviewDialog;

// The program's start-up: the state is set first, then the four long-lived forms are created
// in their order, MainF, FolderDF, ProcessF and OptionsF; creating OptionsF reads the settings,
// applies the language and builds the option state. They live until the program ends.
class Program {
public:
    Program(Prompter &prompter, const QString &programFolder);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    MainWindow &mainWindow() { return *m_main; }
    FolderDialog &folderDialog() { return *m_folder; }
    ReviewDialog &reviewDialog() { return *m_review; }
    OptionsDialog &optionsDialog() { return *m_options; }

    // Shows the main window at the centre of the screen, on its page "В файлах".
    void show();

private:
    std::unique_ptr<MainWindow> m_main;
    FolderDialog *m_folder = nullptr;
    ReviewDialog *m_review = nullptr;
    OptionsDialog *m_options = nullptr;
};
