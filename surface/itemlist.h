// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The items of a list box or combo box, and the one rule for where an added item goes.
// The Qt binding and the recording double both keep their items in an ItemList, so what a
// procedure sees through either is the same.

#include "surface.h"

#include <QStringList>

namespace surface {

// The lists' alphabetical order: the Unicode Collation Algorithm's root order, which belongs
// to no one language, compared on base letters alone. Case, accents and width do not count
// (texts that differ only in those are equal), and a letter with a stroke files with its letter:
// "Ängelholm" < "apple" < "École" < "Franklin" < "Łódź" < "Øst" < "zebra".
// The order is the same whatever the user's or the system's locale.
bool alphabeticallyBefore(QStringView a, QStringView b);

class ItemList
{
public:
    // The most items a list can hold: its count is a 16-bit signed integer.
    static constexpr Integer MaxCount = 32767;

    explicit ItemList(bool sorted = false) : m_sorted(sorted) {}

    bool sorted() const { return m_sorted; }
    Integer count() const { return static_cast<Integer>(m_items.size()); }
    // Raises IndexOutOfRange outside 0 .. count() - 1.
    const QString &at(Integer index) const;
    // The first item whose text equals text exactly, or -1.
    Integer indexOf(const QString &text) const
    {
        return static_cast<Integer>(m_items.indexOf(text));
    }
    // Raises InvalidValue unless index is -1 or names an item: the rule for writing
    // a list's ListIndex.
    void checkPick(Integer index) const;
    // Puts item at the end, or in a sorted list after every item that sorts before it or equal
    // to it, and returns where. Raises ListFull, leaving the list unchanged, when it already
    // holds MaxCount items.
    Integer add(const QString &item);
    // Replaces every item; a sorted list sorts them (equal ones keep their order). Raises
    // ListFull, leaving the list unchanged, when given more than MaxCount items.
    void assign(const QStringList &items);
    QStringList toStringList() const { return m_items; }

private:
    bool m_sorted;
    QStringList m_items;
};

} // namespace surface
