// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QListWidget>

namespace surface::qt {

// A single-selection list of fixed items that keeps its pick until another item is picked.
// The items are a property so that a window's definition file can give them.
class ListBoxWidget : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
public:
    explicit ListBoxWidget(QWidget *parent = nullptr);

    QStringList items() const;
    void setItems(const QStringList &items);

    // The picked row, or -1 when nothing is selected.
    int pickedRow() const;
    // Selects row, or nothing when row is -1.
    void pick(int row);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
};

} // namespace surface::qt
