// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The program's own list controls: a list box, and a combo box whose list is always shown.

#include "itemlist.h"

#include <QListView>
#include <QListWidget>
#include <QWidget>

class QLineEdit;
class QStringListModel;

namespace surface::qt {

// A single-selection list of fixed items that keeps its pick until another item is picked.
class ListBoxWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBoxWidget(QWidget *parent = nullptr);

    // The picked row, or -1 when nothing is selected.
    int pickedRow() const;
    // Selects row, or nothing when row is -1.
    void pick(int row);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
};

// An editable combo box whose list is always shown under its edit field, with no drop-down
// button: the edit field on top at its natural height, the list filling the rest.
//
// What the program reads as the picked index follows the user: picking an item (mouse, or
// Up, Down, PageUp and PageDown) copies its text into the edit field, the caret after it,
// and makes it the picked one; typing into the edit field, or the program writing the text, leaves
// nothing picked. Text put in by assistive technology counts as typed.
//
// The box itself takes the focus, as a stock combo box does, and hands its keys and input to
// the edit field. Assistive technology sees one combo box whose value is the edit field's
// text, told of each pick; the list carries the box's accessible name, the edit field none,
// so that the name is read once.
class ComboBoxWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(bool sorted READ sorted WRITE setSorted)
public:
    explicit ComboBoxWidget(QWidget *parent = nullptr);

    QStringList items() const { return m_items.toStringList(); }
    void setItems(const QStringList &items);
    bool sorted() const { return m_items.sorted(); }
    // Re-sorts the items at once, or leaves them in their order from then on.
    void setSorted(bool sorted);

    const ItemList &itemList() const { return m_items; }
    QString text() const;
    void setText(const QString &text);
    int pickedRow() const { return m_picked; }
    // Picks row, copying its text into the edit field; -1 picks nothing and empties it.
    void pick(int row);
    // Raises ListFull with nothing changed when the list is full. Returns the new row.
    Integer addItem(const QString &item);

    QLineEdit *lineEdit() const { return m_edit; }
    QListView *listView() const { return m_list; }

protected:
    bool event(QEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void forward(QEvent *event);
    bool walkList(const QKeyEvent *key);
    void showPicked();
    void onSelectionChanged();
    void onTextChanged();
    // Rows wholly inside the list, at least one: what PageUp and PageDown move by.
    int rowsPerPage() const;

    ItemList m_items;
    QStringListModel *const m_model; // what the list shows: m_items' texts
    QLineEdit *const m_edit;
    QListView *const m_list;
    int m_picked = -1;
    bool m_showing = false;
    bool m_picking = false;
};

} // namespace surface::qt
