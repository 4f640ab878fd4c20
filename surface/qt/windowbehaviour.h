// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// What the program's windows do beyond stock Qt's: their frames, and their keys.

class QAbstractButton;
class QMenuBar;
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

// Makes the access keys of the window's buttons click them at once. Qt would show the click
// as a press held for a tenth of a second and run the button's command only then, from a
// timer: slower than a mouse click, and able to fire under a message box opened meanwhile
// (bench/README.md has the figures).
void clickAccessKeysAtOnce(QWidget *window);

// Alt with a key that is no access key types nothing into the window's text fields, as in
// other desktop programs. AltGr is not Alt: it still types its characters.
void ignoreAltTyping(QWidget *window);

// Makes button's access key win over a menu title on menuBar that has the same letter.
//
// Qt treats such a pair as ambiguous and alternates between them, only focusing the button
// every other press. Here Alt+letter always chooses the button, the same on every press: a
// form used all day must not change what a key does. The menu stays reachable by pressing
// and releasing Alt and then the letter, or by moving over from a neighbouring menu.
void preferButtonAccessKey(QMenuBar *menuBar, QAbstractButton *button);

// Makes a group of option buttons one stop in the tab order, as on any desktop: Tab and
// Shift+Tab enter it at the chosen option (the first when none is chosen) and leave it
// past the others; the arrow keys move within it. Qt alone enters at the first option
// whatever is chosen, and leaving backwards stops on the others.
void tabToChosenOption(QWidget *group);

} // namespace surface::qt
