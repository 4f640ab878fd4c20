// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include "surface.h"

class QWidget;

namespace surface::qt {

class QtRuntime final : public Runtime
{
public:
    // Message boxes are centred over owner.
    explicit QtRuntime(QWidget *owner) : m_owner(owner) {}
    [[noreturn]] void End() override;

private:
    void showMessage(const QString &prompt, const QString &title) override;

    QWidget *const m_owner;
};

// Shows the user, in a message box, why an event procedure was stopped.
void reportError(const QString &description);

} // namespace surface::qt
