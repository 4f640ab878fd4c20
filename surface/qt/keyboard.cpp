// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "keyboard.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
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
    new ButtonAccessKeyFirst(menuBar, button);
}

} // namespace surface::qt
