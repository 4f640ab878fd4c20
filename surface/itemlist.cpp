// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "itemlist.h"

#include <algorithm>

namespace surface {

QString alphabeticalKey(QStringView text)
{
    // Decomposition splits "É" into "E" and a combining accent (and a full-width "Ａ" into "A");
    // dropping the marks and folding case leaves what a reader compares when alphabetising.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const auto category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        key.append(c);
    }
    return key.toCaseFolded();
}

bool alphabeticalLess(QStringView a, QStringView b)
{
    return alphabeticalKey(a) < alphabeticalKey(b);
}

ItemList::ItemList(bool sorted) : m_sorted(sorted) {}

const QString &ItemList::at(Integer index) const
{
    if (index < 0 || index >= count())
        throw Error(ErrorKind::IndexOutOfRange);
    return m_items[index].text;
}

Integer ItemList::indexOf(const QString &text) const
{
    const auto it = std::find_if(m_items.cbegin(), m_items.cend(),
                                 [&](const Entry &e) { return e.text == text; });
    return it == m_items.cend() ? NoItem : static_cast<Integer>(it - m_items.cbegin());
}

void ItemList::checkPick(Integer index) const
{
    if (index < NoItem || index >= count())
        throw Error(ErrorKind::InvalidValue);
}

Integer ItemList::insertionPoint(const QString &item) const
{
    if (!m_sorted)
        return count();
    const QString key = alphabeticalKey(item);
    // After the items that compare equal, so equal names keep the order they were added in.
    const auto it = std::upper_bound(m_items.cbegin(), m_items.cend(), key,
                                     [](const QString &k, const Entry &e) { return k < e.key; });
    return static_cast<Integer>(it - m_items.cbegin());
}

Integer ItemList::add(const QString &item)
{
    if (count() == MaxCount)
        throw Error(ErrorKind::ListFull);
    const Integer index = insertionPoint(item);
    m_items.insert(index, Entry{item, m_sorted ? alphabeticalKey(item) : QString()});
    return index;
}

void ItemList::assign(const QStringList &items)
{
    if (items.size() > MaxCount)
        throw Error(ErrorKind::ListFull);
    m_items.clear();
    m_items.reserve(items.size());
    for (const QString &item : items)
        m_items.append(Entry{item, m_sorted ? alphabeticalKey(item) : QString()});
    if (m_sorted) {
        std::stable_sort(m_items.begin(), m_items.end(),
                         [](const Entry &a, const Entry &b) { return a.key < b.key; });
    }
}

QStringList ItemList::toStringList() const
{
    QStringList out;
    out.reserve(count());
    for (const Entry &e : m_items)
        out.append(e.text);
    return out;
}

} // namespace surface
