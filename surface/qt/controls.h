// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The surface's controls bound to Qt widgets. Each adapter holds the widget it speaks for;
// the widgets belong to their window.

#include "surface.h"

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace surface::qt {

class ComboBoxWidget;
class ListBoxWidget;

class QtWindow final : public Window
{
public:
    explicit QtWindow(QDialog *dialog) : m_dialog(dialog) {}
    void show(bool modal) override;
    void hide() override;

private:
    QDialog *const m_dialog;
};

class QtTextBox final : public TextBox
{
public:
    explicit QtTextBox(QLineEdit *edit) : m_edit(edit) {}
    QString text() const override;
    void setText(const QString &text) override;
    void setFocus() override;

private:
    QLineEdit *const m_edit;
};

class QtLabel final : public Label
{
public:
    explicit QtLabel(QLabel *label) : m_label(label) {}
    void setCaption(const QString &caption) override;

private:
    QLabel *const m_label;
};

class QtOptionButton final : public OptionButton
{
public:
    explicit QtOptionButton(QRadioButton *button) : m_button(button) {}
    bool value() const override;
    void setValue(bool value) override;
    void setFocus() override;

private:
    QRadioButton *const m_button;
};

class QtCheckBox final : public CheckBox
{
public:
    explicit QtCheckBox(QCheckBox *box);
    Integer value() const override;
    void setValue(Integer value) override;
    void setFocus() override;

private:
    QCheckBox *const m_box;
};

class QtListBox final : public ListBox
{
public:
    explicit QtListBox(ListBoxWidget *list) : m_list(list) {}
    Integer listIndex() const override;
    QString list(Integer index) const override;
    void setText(const QString &text) override;
    void setFocus() override;

private:
    ListBoxWidget *const m_list;
};

class QtComboBox final : public ComboBox
{
public:
    explicit QtComboBox(ComboBoxWidget *combo) : m_combo(combo) {}
    QString text() const override;
    void setText(const QString &text) override;
    Integer listIndex() const override;
    void setListIndex(Integer index) override;
    Integer listCount() const override;
    QString list(Integer index) const override;
    void addItem(const QString &item) override;
    Integer newIndex() const override { return m_newIndex; }
    void setFocus() override;

private:
    ComboBoxWidget *const m_combo;
    Integer m_newIndex = NoItem;
};

} // namespace surface::qt
