// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "runtime.h"

#include "messagebox.h"

#include <QApplication>
#include <QWidget>

namespace surface::qt {

void QtRuntime::showMessage(const QString &prompt, const QString &title)
{
    MessageBox::present(prompt, title, m_owner);
}

void QtRuntime::End()
{
    // Every window goes at once, without close events, so no procedure of the program runs
    // on the way out.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        window->hide();
    QCoreApplication::exit(0);
    throw ProgramEnded{};
}

void reportError(const QString &description)
{
    MessageBox::present(description, QCoreApplication::applicationName(),
                        QApplication::activeWindow());
}

} // namespace surface::qt
