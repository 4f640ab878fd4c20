// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "windowframe.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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

    // Keep whatever states are already there; Qt merges its own into them when it maps.
    std::vector<xcb_atom_t> atoms;
    const auto cookie = xcb_get_property(connection, 0, id, state, XCB_ATOM_ATOM, 0, 64);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        atoms.assign(values, values + xcb_get_property_value_length(reply.get()) / 4);
    }
    if (std::find(atoms.cbegin(), atoms.cend(), skip) != atoms.cend())
        return;
    atoms.push_back(skip);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
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
