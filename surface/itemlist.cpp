// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "itemlist.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

namespace surface {

namespace {

struct CollatorCloser
{
    void operator()(UCollator *collator) const { ucol_close(collator); }
};

// ICU's root collator, opened by name rather than from the default locale, so the order is
// the same whatever locale the program runs in. Primary strength compares base letters only.
const UCollator *rootCollator()
{
    static const std::unique_ptr<UCollator, CollatorCloser> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UCollator, CollatorCloser> opened(ucol_open("", &status));
        if (U_FAILURE(status))
            qFatal("Cannot open the root collation order: %s", u_errorName(status));
        ucol_setStrength(opened.get(), UCOL_PRIMARY);
        return opened;
    }();
    return collator.get();
}

} // namespace

QByteArray alphabeticalKey(QStringView text)
{
    constexpr qsizetype Limit = std::numeric_limits<int32_t>::max();
    const auto length = static_cast<int32_t>(std::min(text.size(), Limit));
    // Room for most keys at once; for a longer one ICU says how much it needs.
    QByteArray key(std::min(2 * qsizetype(length) + 1, Limit), Qt::Uninitialized);
    const auto fill = [&] {
        return ucol_getSortKey(rootCollator(), text.utf16(), length,
                               reinterpret_cast<uint8_t *>(key.data()),
                               static_cast<int32_t>(key.size()));
    };
    int32_t needed = fill();
    if (needed > key.size()) {
        key.resize(needed);
        needed = fill();
    }
    // The count includes a terminating zero, which only C strings need.
    key.truncate(needed > 0 ? needed - 1 : 0);
    return key;
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
    const QByteArray key = alphabeticalKey(item);
    // After the items that compare equal, so equal names keep the order they were added in.
    const auto it = std::upper_bound(m_items.cbegin(), m_items.cend(), key,
                                     [](const QByteArray &k, const Entry &e) { return k < e.key; });
    return static_cast<Integer>(it - m_items.cbegin());
}

Integer ItemList::add(const QString &item)
{
    if (count() == MaxCount)
        throw Error(ErrorKind::ListFull);
    const Integer index = insertionPoint(item);
    m_items.insert(index, Entry{item, m_sorted ? alphabeticalKey(item) : QByteArray()});
    return index;
}

void ItemList::assign(const QStringList &items)
{
    if (items.size() > MaxCount)
        throw Error(ErrorKind::ListFull);
    m_items.clear();
    m_items.reserve(items.size());
    for (const QString &item : items)
        m_items.append(Entry{item, m_sorted ? alphabeticalKey(item) : QByteArray()});
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
