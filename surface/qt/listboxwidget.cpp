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

} // namespace surface::qt
