// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QShortcutEvent>

namespace surface::qt {

namespace {

// What Qt does for an access key, less the timer: checkable buttons take the focus, as they
// would from a click; push buttons leave it where it is.
void clickNow(QAbstractButton *button)
{
    if (button->isCheckable() && (button->focusPolicy() & Qt::ClickFocus))
        button->setFocus(Qt::ShortcutFocusReason);
    button->click();
}

class AccessKeyClicksAtOnce : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        // Two controls sharing a key take turns at the focus, as Qt does; no click then.
        if (static_cast<QShortcutEvent *>(event)->isAmbiguous())
            return false;
        auto *button = static_cast<QAbstractButton *>(watched);
        if (button->isEnabled())
            clickNow(button);
        return true;
    }
};

class AltTypesNothing : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return (key->modifiers() & Qt::AltModifier) && !key->text().isEmpty() &&
               key->text().front().isPrint();
    }
};

class ButtonAccessKeyFirst : public QObject
{
public:
    ButtonAccessKeyFirst(QMenuBar *menuBar, QAbstractButton *button)
        : QObject(button), m_button(button)
    {
        menuBar->installEventFilter(this);
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        const auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (shortcut->key() != QKeySequence::mnemonic(m_button->text()) || !m_button->isEnabled())
            return false;
        clickNow(m_button);
        return true;
    }

private:
    QAbstractButton *const m_button;
};

// Tab and Shift+Tab treat the group as one stop: entering lands on the chosen option (or
// the first), and leaving skips the group's other options.
class OptionGroupTabStop : public QObject
{
public:
    explicit OptionGroupTabStop(QWidget *group) : QObject(group), m_group(group)
    {
        for (QRadioButton *option : options())
            option->installEventFilter(this);
        // Qt reports a focus change after the FocusIn event, so at FocusIn this still
        // names the widget the focus comes from.
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget *, QWidget *now) { m_focus = now; });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            return leaveGroup(static_cast<QKeyEvent *>(event));
        if (event->type() == QEvent::FocusIn)
            enterGroup(static_cast<QWidget *>(watched), static_cast<QFocusEvent *>(event));
        return false;
    }

private:
    QList<QRadioButton *> options() const
    {
        return m_group->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
    }

    bool inGroup(const QWidget *widget) const
    {
        return widget && widget->parentWidget() == m_group &&
               qobject_cast<const QRadioButton *>(widget);
    }

    void enterGroup(QWidget *option, const QFocusEvent *event)
    {
        const Qt::FocusReason reason = event->reason();
        if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) || inGroup(m_focus))
            return;
        const QList<QRadioButton *> all = options();
        QWidget *target = all.value(0);
        for (QRadioButton *candidate : all) {
            if (candidate->isChecked())
                target = candidate;
        }
        if (target && target != option)
            target->setFocus(reason);
    }

    bool leaveGroup(const QKeyEvent *key)
    {
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        const bool backward = key->key() == Qt::Key_Backtab ||
                              (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (!forward && !backward)
            return false;
        QWidget *window = m_group->window();
        QWidget *next = QApplication::focusWidget();
        for (int guard = 0; next && guard < 1000; ++guard) {
            next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
            if (!next || next == window)
                continue;
            if (!inGroup(next) && takesTabFocus(next, window)) {
                next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return false;
    }

    static bool takesTabFocus(const QWidget *widget, const QWidget *window)
    {
        return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy() &&
               widget->isEnabled() && widget->isVisibleTo(window) && widget->window() == window;
    }

    QWidget *const m_group;
    QPointer<QWidget> m_focus;
};

} // namespace

void clickAccessKeysAtOnce(QWidget *window)
{
    auto *filter = new AccessKeyClicksAtOnce(window);
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->installEventFilter(filter);
}

void ignoreAltTyping(QWidget *window)
{
    // Every widget that takes typing, the combo box that hands it to its field included.
    auto *filter = new AltTypesNothing(window);
    for (QWidget *field : window->findChildren<QWidget *>()) {
        if (field->testAttribute(Qt::WA_InputMethodEnabled))
            field->installEventFilter(filter);
    }
}

void tabToChosenOption(QWidget *group)
{
    new OptionGroupTabStop(group);
}

void preferButtonAccessKey(QMenuBar *menuBar, QAbstractButton *button)
{
    new ButtonAccessKeyFirst(menuBar, button);
}

} // namespace surface::qt
