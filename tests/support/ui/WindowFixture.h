#pragma once

#include "TestFolder.h"

#include "ui/ScriptedPrompter.h"

#include "ui/MainWindow.h"
#include "ui/Program.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// The whole program, started as the real one is, in a temporary program folder, with its
// questions and file dialogs answered by a script.
class WindowFixture : public TestFolder {
public:
    // Later: the test prepares the program's folder (settings, language modules) and then
    // calls start().
    enum class Start { Now, Later };

    explicit WindowFixture(Start start = Start::Now);
    ~WindowFixture();

    // Starts the program from the executable path(u"quorvex").
    void start();
    // Puts the built language modules beside that executable, as the installation does.
    void addLanguageModules();
    // The settings file of the program.
    QString settingsFile() const;

    MainWindow &window() { return m_program->mainWindow(); }
    Program &program() { return *m_program; }
    Ui::MainF &ui() { return window().ui(); }

    // Shows the main window and waits until it is active, so that focus works.
    bool showAndActivate();

    // Runs `act` on the next modal dialog once it is shown (dialogs of our own are modal
    // loops that a test answers this way).
    static void whenModal(std::function<void(QWidget *)> act);

    ScriptedPrompter prompter;

private:
    std::unique_ptr<Program> m_program;
};
