// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QApplication>

#include <memory>

namespace shell {

// Qt's application object for this program.
//
// Qt is shown no command-line arguments: the program takes none, so none can change it.
// Where no window system can be started, the program says why in one line on stderr and exits
// with status 1, rather than Qt's paragraph of advice and an abort with a core dump.
std::unique_ptr<QApplication> startApplication(char *programPath);

} // namespace shell
