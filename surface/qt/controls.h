// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The surface's controls bound to Qt widgets. Each adapter holds the widget it speaks for;
// the widgets belong to their window.

#include "listwidgets.h"
#include "surface.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace surface::qt {

// The adapter of a control that takes the focus, over its widget.
template<class Control, class Widget> class QtFocusable : public Control
{
public:
    explicit QtFocusable(Widget *widget) : m_widget(widget) {}
    void setFocus() override { m_widget->setFocus(Qt::OtherFocusReason); }

protected:
    Widget *const m_widget;
};

class QtWindow final : public Window
{
public:
    explicit QtWindow(QDialog *dialog) : m_dialog(dialog) {}
    void show(bool modal) override
    {
        if (!modal)
            return m_dialog->show();
        m_dialog->hide(); // modality only takes effect on a window being shown
        m_dialog->exec();
    }
    void hide() override { m_dialog->hide(); }

private:
    QDialog *const m_dialog;
};

class QtTextBox final : public QtFocusable<TextBox, QLineEdit>
{
public:
    using QtFocusable::QtFocusable;
    QString text() const override { return m_widget->text(); }
    void setText(const QString &text) override { m_widget->setText(text); }
};

class QtLabel final : public Label
{
public:
    explicit QtLabel(QLabel *label) : m_label(label) { m_label->setTextFormat(Qt::PlainText); }
    // Each CR LF of the caption is one line break.
    void setCaption(const QString &caption) override
    {
        m_label->setText(QString(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

private:
    QLabel *const m_label;
};

class QtOptionButton final : public QtFocusable<OptionButton, QRadioButton>
{
public:
    using QtFocusable::QtFocusable;
    bool value() const override { return m_widget->isChecked(); }
    void setValue(bool value) override;
};

class QtCheckBox final : public QtFocusable<CheckBox, QCheckBox>
{
public:
    explicit QtCheckBox(QCheckBox *box);
    Integer value() const override;
    void setValue(Integer value) override;
};

class QtListBox final : public QtFocusable<ListBox, ListBoxWidget>
{
public:
    using QtFocusable::QtFocusable;
    Integer listIndex() const override { return static_cast<Integer>(m_widget->pickedRow()); }
    QString list(Integer index) const override
    {
        if (index < 0 || index >= m_widget->count())
            throw Error(ErrorKind::IndexOutOfRange);
        return m_widget->item(index)->text();
    }
    void setText(const QString &text) override;
};

class QtRuntime final : public Runtime
{
public:
    // Message boxes are centred over owner.
    explicit QtRuntime(QWidget *owner) : m_owner(owner) {}
    [[noreturn]] void End() override;

private:
    void showMessage(const QString &prompt, const QString &title) override;

    QWidget *const m_owner;
};

// Shows the user, in a message box, why an event procedure was stopped.
void reportError(const QString &description);

class QtComboBox final : public QtFocusable<ComboBox, ComboBoxWidget>
{
public:
    using QtFocusable::QtFocusable;
    QString text() const override { return m_widget->text(); }
    void setText(const QString &text) override { m_widget->setText(text); }
    Integer listIndex() const override { return static_cast<Integer>(m_widget->pickedRow()); }
    void setListIndex(Integer index) override
    {
        m_widget->itemList().checkPick(index);
        m_widget->pick(index);
    }
    Integer listCount() const override { return m_widget->itemList().count(); }
    QString list(Integer index) const override { return m_widget->itemList().at(index); }
    void addItem(const QString &item) override { m_newIndex = m_widget->addItem(item); }
    Integer newIndex() const override { return m_newIndex; }

private:
    Integer m_newIndex = NoItem;
};

} // namespace surface::qt
