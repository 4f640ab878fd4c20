// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// Tests of handlers that open a modal window on real widgets: the window is looked for while
// its modal loop runs, never raced.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testing {

// Runs action, which shows a modal window of type Window, and hands that window to inspect
// once it is up and active (or has had two seconds to become so). inspect is expected to
// close it; should it not, a check having failed, the window is closed here so that the test
// reports the failure instead of waiting. Returns whether the window was seen.
template<class Window>
bool whileShown(const std::function<void()> &action, const std::function<void(Window *)> &inspect)
{
    bool seen = false;
    QElapsedTimer up;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!window || seen)
            return;
        if (!up.isValid())
            up.start();
        if (!window->isActiveWindow() && !up.hasExpired(2000))
            return;
        seen = true;
        inspect(window);
        if (window->isVisible())
            window->close();
    });
    poll.start();
    action();
    return seen;
}

} // namespace testing
