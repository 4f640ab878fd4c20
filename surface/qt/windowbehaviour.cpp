// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "windowbehaviour.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcutEvent>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace surface::qt {

namespace {

constexpr Qt::WindowFlags closeButtonOnly = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

xcb_intern_atom_cookie_t askAtom(xcb_connection_t *connection, const char *name)
{
    return xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atomOf(xcb_connection_t *connection, xcb_intern_atom_cookie_t cookie)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// An event filter given as a function; it lives as long as its parent.
class Filter : public QObject
{
public:
    using Function = std::function<bool(QObject *watched, QEvent *event)>;
    Filter(QObject *parent, Function function) : QObject(parent), m_function(std::move(function)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return m_function(watched, event);
    }

private:
    Function m_function;
};

// What Qt does for an access key, less the timer: checkable buttons take the focus, as they
// would from a click; push buttons leave it where it is.
void clickNow(QAbstractButton *button)
{
    if (button->isCheckable() && (button->focusPolicy() & Qt::ClickFocus))
        button->setFocus(Qt::ShortcutFocusReason);
    button->click();
}

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
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    // Asked now, read at the first showing: waiting there delayed start-up (bench/README.md).
    const xcb_intern_atom_cookie_t asked[] = {askAtom(connection, "_NET_WM_STATE"),
                                              askAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR")};
    xcb_flush(connection);
    std::optional<std::pair<xcb_atom_t, xcb_atom_t>> atoms;
    // A window is shown (QEvent::Show) after its native window exists and before it is mapped.
    auto onShow = [=](QObject *, QEvent *event) mutable {
        if (event->type() != QEvent::Show)
            return false;
        if (!atoms)
            atoms = {atomOf(connection, asked[0]), atomOf(connection, asked[1])};
        const auto [state, skip] = *atoms;
        if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
            return false;
        // Added to whatever states are there already; Qt merges its own into them when it maps.
        xcb_change_property(connection, XCB_PROP_MODE_APPEND,
                            static_cast<xcb_window_t>(window->winId()), state, XCB_ATOM_ATOM, 32, 1,
                            &skip);
        xcb_flush(connection);
        return false;
    };
    window->installEventFilter(new Filter(window, onShow));
}

void clickAccessKeysAtOnce(QWidget *window)
{
    auto *filter = new Filter(window, [](QObject *watched, QEvent *event) {
        // Two controls sharing a key take turns at the focus, as Qt does; no click then.
        if (event->type() != QEvent::Shortcut ||
            static_cast<QShortcutEvent *>(event)->isAmbiguous())
            return false;
        auto *button = static_cast<QAbstractButton *>(watched);
        if (button->isEnabled())
            clickNow(button);
        return true;
    });
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->installEventFilter(filter);
}

void ignoreAltTyping(QWidget *window)
{
    // Every widget that takes typing, the combo box that hands it to its field included.
    auto *filter = new Filter(window, [](QObject *, QEvent *event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return (key->modifiers() & Qt::AltModifier) && !key->text().isEmpty() &&
               key->text().front().isPrint();
    });
    for (QWidget *field : window->findChildren<QWidget *>()) {
        if (field->testAttribute(Qt::WA_InputMethodEnabled))
            field->installEventFilter(filter);
    }
}

void tabToChosenOption(QWidget *group)
{
    // Only the chosen option, or the first when none is, takes the focus by Tab; the others
    // still take it by a click, an arrow key or their access key.
    const QList<QRadioButton *> options =
        group->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
    const auto follow = [options] {
        QRadioButton *stop = options.value(0);
        for (QRadioButton *option : options) {
            if (option->isChecked())
                stop = option;
        }
        for (QRadioButton *option : options)
            option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QRadioButton *option : options)
        QObject::connect(option, &QAbstractButton::toggled, group, follow);
    follow();
}

void preferButtonAccessKey(QMenuBar *menuBar, QAbstractButton *button)
{
    auto *filter = new Filter(button, [button](QObject *, QEvent *event) {
        if (event->type() != QEvent::Shortcut || !button->isEnabled() ||
            static_cast<QShortcutEvent *>(event)->key() != QKeySequence::mnemonic(button->text()))
            return false;
        clickNow(button);
        return true;
    });
    menuBar->installEventFilter(filter);
    button->installEventFilter(filter);
}

} // namespace surface::qt
