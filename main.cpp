#include "shell/shell.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    shell::setProgramIdentity();
    shell::Shell program;
    program.start();
    return QApplication::exec();
}
