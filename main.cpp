#include "shell/shell.h"
#include "shell/startup.h"

#include <QApplication>
#include <optional>

int main(int argc, char *argv[])
{
    std::optional<shell::DisplayGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    shell::setProgramIdentity();
    shell::Shell program;
    program.start();
    return QApplication::exec();
}
