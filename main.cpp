// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "shell.h"

#include <QApplication>

int main(int, char *argv[])
{
    // The menus belong in the window, even on desktops that offer a global menu bar.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    const auto app = shell::startApplication(argv[0]);
    shell::setProgramIdentity();
    shell::Shell program;
    program.start();
    return QApplication::exec();
}
