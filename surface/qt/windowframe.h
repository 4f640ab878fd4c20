// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

class QWidget;

namespace surface::qt {

// A dialog frame with a close button only, no minimize or maximize button, at a fixed size
// the user cannot change, and no taskbar button.
void setFixedDialogFrame(QWidget *window);

// A dialog frame the user can resize, with a close button only.
void setSizableDialogFrame(QWidget *window);

// Keeps the window off the taskbar where the windowing system has that notion (X11): the
// window carries _NET_WM_STATE_SKIP_TASKBAR from before it is first mapped.
void skipTaskbar(QWidget *window);

// Asks for the focus for window again, when a modal window shown over it closes: not every
// window manager hands it back by itself, and with none at all nothing would.
void reactivate(QWidget *window);

} // namespace surface::qt
