// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "itemlistmodel.h"

namespace surface::qt {

ItemListModel::ItemListModel(bool sorted, QObject *parent)
    : QAbstractListModel(parent), m_items(sorted)
{}

void ItemListModel::assign(const QStringList &items)
{
    assign(items, m_items.sorted());
}

void ItemListModel::assign(const QStringList &items, bool sorted)
{
    beginResetModel();
    m_items = ItemList(sorted);
    m_items.assign(items);
    endResetModel();
}

Integer ItemListModel::add(const QString &item)
{
    if (m_items.count() == ItemList::MaxCount)
        return m_items.add(item); // raises, before the views hear of any change
    const Integer row = m_items.insertionPoint(item);
    beginInsertRows({}, row, row);
    m_items.add(item);
    endInsertRows();
    return row;
}

int ItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_items.count();
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
        return m_items.at(static_cast<Integer>(index.row()));
    return {};
}

} // namespace surface::qt
