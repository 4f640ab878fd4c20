// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "controls.h"

#include "comboboxwidget.h"
#include "listboxwidget.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace surface::qt {

namespace {

[[noreturn]] void invalidValue()
{
    throw Error(ErrorKind::InvalidValue);
}

} // namespace

void QtWindow::show(bool modal)
{
    if (!modal) {
        m_dialog->show();
        return;
    }
    if (m_dialog->isVisible())
        m_dialog->hide(); // modality only takes effect on a window being shown
    m_dialog->exec();
}

void QtWindow::hide()
{
    m_dialog->hide();
}

QString QtTextBox::text() const
{
    return m_edit->text();
}

void QtTextBox::setText(const QString &text)
{
    m_edit->setText(text);
}

void QtTextBox::setFocus()
{
    m_edit->setFocus(Qt::OtherFocusReason);
}

// The label shows a caption as plain text, each CR LF as one line break.
void QtLabel::setCaption(const QString &caption)
{
    m_label->setTextFormat(Qt::PlainText);
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_label->setText(shown);
}

bool QtOptionButton::value() const
{
    return m_button->isChecked();
}

void QtOptionButton::setValue(bool value)
{
    if (value || !m_button->autoExclusive()) {
        m_button->setChecked(value);
        return;
    }
    // An auto-exclusive button refuses to be unchecked, since the user must not be able to
    // empty the group; the program may, so exclusivity is lifted for this one write.
    m_button->setAutoExclusive(false);
    m_button->setChecked(false);
    m_button->setAutoExclusive(true);
}

void QtOptionButton::setFocus()
{
    m_button->setFocus(Qt::OtherFocusReason);
}

QtCheckBox::QtCheckBox(QCheckBox *box) : m_box(box)
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
    switch (m_box->checkState()) {
    case Qt::Unchecked:
        return Unchecked;
    case Qt::Checked:
        return Checked;
    case Qt::PartiallyChecked:
        break;
    }
    return Grayed;
}

void QtCheckBox::setValue(Integer value)
{
    switch (value) {
    case Unchecked:
        m_box->setCheckState(Qt::Unchecked);
        return;
    case Checked:
        m_box->setCheckState(Qt::Checked);
        return;
    case Grayed:
        m_box->setCheckState(Qt::PartiallyChecked);
        return;
    default:
        invalidValue();
    }
}

void QtCheckBox::setFocus()
{
    m_box->setFocus(Qt::OtherFocusReason);
}

Integer QtListBox::listIndex() const
{
    return static_cast<Integer>(m_list->pickedRow());
}

QString QtListBox::list(Integer index) const
{
    if (index < 0 || index >= m_list->count())
        throw Error(ErrorKind::IndexOutOfRange);
    return m_list->item(index)->text();
}

void QtListBox::setText(const QString &text)
{
    const QList<QListWidgetItem *> found =
        m_list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_list->pick(found.isEmpty() ? -1 : m_list->row(found.first()));
}

void QtListBox::setFocus()
{
    m_list->setFocus(Qt::OtherFocusReason);
}

QString QtComboBox::text() const
{
    return m_combo->text();
}

void QtComboBox::setText(const QString &text)
{
    m_combo->setText(text);
}

Integer QtComboBox::listIndex() const
{
    return static_cast<Integer>(m_combo->pickedRow());
}

void QtComboBox::setListIndex(Integer index)
{
    m_combo->itemList().checkPick(index);
    m_combo->pick(index);
}

Integer QtComboBox::listCount() const
{
    return m_combo->itemList().count();
}

QString QtComboBox::list(Integer index) const
{
    return m_combo->itemList().at(index);
}

void QtComboBox::addItem(const QString &item)
{
    m_newIndex = m_combo->addItem(item);
}

void QtComboBox::setFocus()
{
    m_combo->setFocus(Qt::OtherFocusReason);
}

} // namespace surface::qt
