#pragma once

#include <memory>

namespace student_form {
class StudentWindow;
}

namespace shell {

// Sets the program's identity on the running application: name, version, icon.
void setProgramIdentity();

// The program: the main window and the commands that are the shell's, not the record's.
class Shell
{
public:
    Shell();
    ~Shell();

    // Shows the main window, not modally, with the focus in the name box.
    void start();
    student_form::StudentWindow &mainWindow() { return *m_main; }

private:
    std::unique_ptr<student_form::StudentWindow> m_main;
};

} // namespace shell
