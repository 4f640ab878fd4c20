// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.h"

#include <memory>

class QApplication;

namespace student_form {
class StudentWindow;
}

namespace surface::qt {
class QtRuntime;
}

namespace shell {

class AboutWindow;

// Qt's application object for this program.
//
// Qt is shown no command-line arguments: the program takes none, so none can change it.
// Where no window system can be started, the program says why in one line on stderr and exits
// with status 1, rather than Qt's paragraph of advice and an abort with a core dump.
std::unique_ptr<QApplication> startApplication(char *programPath);

// Sets the program's identity on the running application: name, version, desktop entry and
// the icon its windows show.
void setProgramIdentity();

// The program: the main window, the About window once it is loaded, and the menu commands
// that are the shell's rather than the record's.
class Shell
{
public:
    Shell();
    ~Shell();

    // Shows the main window, not modally, with the focus in the name box.
    void start();
    student_form::StudentWindow &mainWindow() { return *m_main; }
    // The About window, or null before the first About command.
    AboutWindow *aboutWindow() const { return m_about.get(); }

private:
    std::unique_ptr<student_form::StudentWindow> m_main;
    std::unique_ptr<surface::qt::QtRuntime> m_runtime;
    std::unique_ptr<AboutWindow> m_about;
    std::unique_ptr<MenuCommands> m_commands;
};

} // namespace shell
