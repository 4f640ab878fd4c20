// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include "itemlistmodel.h"

#include <QListView>

namespace surface::qt {

// A single-selection list of fixed items. The items are a property so that a window's
// definition file can give them.
class ListBoxWidget : public QListView
{
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
public:
    explicit ListBoxWidget(QWidget *parent = nullptr);

    QStringList items() const;
    void setItems(const QStringList &items);
    const ItemList &itemList() const { return m_model->items(); }

    // The picked row, or -1 when nothing is selected.
    int pickedRow() const;
    // Selects row, or nothing when row is -1.
    void pick(int row);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    ItemListModel *const m_model;
};

} // namespace surface::qt
