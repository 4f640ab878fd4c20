// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "windowframe.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace surface::qt {

namespace {

constexpr Qt::WindowFlags closeButtonOnly = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void addSkipTaskbarState(QWidget *window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;

    // Added to whatever states are there already; Qt merges its own into them when it maps.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(connection);
}

// A window is shown (QEvent::Show) after its native window exists and before it is mapped.
class SkipTaskbarOnShow : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            addSkipTaskbarState(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void setFixedDialogFrame(QWidget *window)
{
    window->setWindowFlags(Qt::Window | closeButtonOnly);
    window->setFixedSize(window->sizeHint());
    skipTaskbar(window);
}

void setSizableDialogFrame(QWidget *window)
{
    // A dialog to the window system: when shown over another window it is its transient, which
    // window managers keep above it and tiling ones float.
    window->setWindowFlags(Qt::Dialog | closeButtonOnly);
}

void reactivate(QWidget *window)
{
    // Asked of the window system itself: Qt may already count the window as active again,
    // having moved its own focus there when the modal window went, and then asks for nothing.
    if (window && window->isVisible() && window->windowHandle())
        window->windowHandle()->requestActivate();
}

void skipTaskbar(QWidget *window)
{
    window->installEventFilter(new SkipTaskbarOnShow(window));
}

} // namespace surface::qt
