// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "listboxwidget.h"

namespace surface::qt {

ListBoxWidget::ListBoxWidget(QWidget *parent)
    : QListView(parent), m_model(new ItemListModel(false, this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QStringList ListBoxWidget::items() const
{
    return m_model->items().toStringList();
}

void ListBoxWidget::setItems(const QStringList &items)
{
    m_model->assign(items);
}

int ListBoxWidget::pickedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBoxWidget::pick(int row)
{
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

// A list box keeps its pick until another item is picked: Ctrl with a click or Space would
// otherwise take it back, and the form would then say that nothing was chosen.
QItemSelectionModel::SelectionFlags ListBoxWidget::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    if (flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

} // namespace surface::qt
