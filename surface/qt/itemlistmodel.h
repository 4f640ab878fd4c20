// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include "itemlist.h"

#include <QAbstractListModel>

namespace surface::qt {

// An ItemList shown by Qt's item views. The views never hold items of their own, so the
// rules of ItemList are the only ones in force.
class ItemListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit ItemListModel(bool sorted, QObject *parent = nullptr);

    const ItemList &items() const { return m_items; }
    // Replaces every item; the list keeps its order rule unless one is given.
    void assign(const QStringList &items);
    void assign(const QStringList &items, bool sorted);
    // Raises ListFull, with the model unchanged, when the list is full.
    Integer add(const QString &item);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    ItemList m_items;
};

} // namespace surface::qt
