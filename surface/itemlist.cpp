// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "itemlist.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <cstdint>
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

// Texts of ASCII letters, digits and spaces alone compare in the root order character by
// character, case aside: a space before the digits, the digits before the letters. Most school
// names are such texts, and the program opens ICU's collator only for the first that is not.
bool alphabeticallyBefore(QStringView a, QStringView b)
{
    const auto plain = [](QStringView text) {
        return std::all_of(text.begin(), text.end(), [](QChar c) {
            return c == u' ' || (c.unicode() < 128 && c.isLetterOrNumber());
        });
    };
    if (plain(a) && plain(b))
        return a.compare(b, Qt::CaseInsensitive) < 0;
    // ICU counts in 32 bits: of a longer text, what fits is compared.
    const auto length = [](QStringView text) {
        return static_cast<int32_t>(std::min<qsizetype>(text.size(), INT32_MAX));
    };
    return ucol_strcoll(rootCollator(), a.utf16(), length(a), b.utf16(), length(b)) == UCOL_LESS;
}

const QString &ItemList::at(Integer index) const
{
    if (index < 0 || index >= count())
        throw Error(ErrorKind::IndexOutOfRange);
    return m_items[index];
}

void ItemList::checkPick(Integer index) const
{
    if (index < NoItem || index >= count())
        throw Error(ErrorKind::InvalidValue);
}

Integer ItemList::add(const QString &item)
{
    if (count() == MaxCount)
        throw Error(ErrorKind::ListFull);
    // After the items that compare equal, so equal names keep the order they were added in.
    const auto at =
        m_sorted ? std::upper_bound(m_items.cbegin(), m_items.cend(), item, alphabeticallyBefore)
                 : m_items.cend();
    const auto index = static_cast<Integer>(at - m_items.cbegin());
    m_items.insert(index, item);
    return index;
}

void ItemList::assign(const QStringList &items)
{
    if (items.size() > MaxCount)
        throw Error(ErrorKind::ListFull);
    m_items = items;
    if (m_sorted)
        std::stable_sort(m_items.begin(), m_items.end(), alphabeticallyBefore);
}

} // namespace surface
