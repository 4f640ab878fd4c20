// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "controls.h"

#include "messagebox.h"

#include <QApplication>

namespace surface::qt {

namespace {

// The check box values by Qt's state, and Qt's state by value.
constexpr Integer ValueOfState[] = {Unchecked, Grayed, Checked};
constexpr Qt::CheckState StateOfValue[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};

} // namespace

void QtOptionButton::setValue(bool value)
{
    if (value || !m_widget->autoExclusive()) {
        m_widget->setChecked(value);
        return;
    }
    // An auto-exclusive button refuses to be unchecked, since the user must not be able to
    // empty the group; the program may, so exclusivity is lifted for this one write.
    m_widget->setAutoExclusive(false);
    m_widget->setChecked(false);
    m_widget->setAutoExclusive(true);
}

QtCheckBox::QtCheckBox(QCheckBox *box) : QtFocusable(box)
{
    // Grayed is only ever set by the program, never reached by a click: once the box leaves
    // it, clicks toggle between checked and unchecked again. Qt would otherwise keep the box
    // three-state and make every third click gray it.
    QObject::connect(box, &QCheckBox::stateChanged, box, [box](int state) {
        if (state != Qt::PartiallyChecked)
            box->setTristate(false);
    });
}

Integer QtCheckBox::value() const
{
    return ValueOfState[m_widget->checkState()];
}

void QtCheckBox::setValue(Integer value)
{
    if (value < Unchecked || value > Grayed)
        throw Error(ErrorKind::InvalidValue);
    m_widget->setCheckState(StateOfValue[value]);
}

void QtListBox::setText(const QString &text)
{
    const QList<QListWidgetItem *> found =
        m_widget->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_widget->pick(found.isEmpty() ? -1 : m_widget->row(found.first()));
}

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
