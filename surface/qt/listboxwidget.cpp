// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "listboxwidget.h"

namespace surface::qt {

ListBoxWidget::ListBoxWidget(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QStringList ListBoxWidget::items() const
{
    QStringList texts;
    for (int row = 0; row < count(); ++row)
        texts.append(item(row)->text());
    return texts;
}

void ListBoxWidget::setItems(const QStringList &items)
{
    clear();
    addItems(items);
}

int ListBoxWidget::pickedRow() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ListBoxWidget::pick(int row)
{
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

// Ctrl with a click, or Space, would otherwise take the pick back, and the form would then
// say that nothing was chosen.
QItemSelectionModel::SelectionFlags ListBoxWidget::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

} // namespace surface::qt
