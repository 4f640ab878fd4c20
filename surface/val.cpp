// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// Val: the number a text begins with.
//
// The rules, chosen to be predictable for a person typing a count into a box:
// - Leading white space (any Unicode space, tab or line break) is skipped; nothing else is.
// - An optional sign, '+' or '-'.
// - Digits 0 to 9 with at most one decimal point '.', and at least one digit ("." alone is no
//   number). Only ASCII digits count: other scripts' digits and full-width digits end the number.
//   The decimal point is always '.', whatever the locale.
// - An optional exponent: 'e' or 'E', an optional sign, and at least one digit. An 'e' not
//   followed by that ("1e", "1e+") is not part of the number, which then ends before it.
// - No radix prefixes: "0x10" is 0, followed by text.
// - Whatever follows the number is ignored. No number at all gives 0.
// - A number beyond the range of a double gives +/- infinity. One below the normal range keeps
//   what precision a subnormal double has, and one below even that gives 0 (signed).
//   A number of any length is read whole, its value correctly rounded.

#include "surface.h"

#include <QLocale>

namespace surface {

double Val(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    const auto digitsFrom = [&](qsizetype at) {
        while (at < n && text[at] >= u'0' && text[at] <= u'9')
            ++at;
        return at;
    };
    const qsizetype mantissaStart = i;
    qsizetype end = digitsFrom(i);
    qsizetype digits = end - i;
    if (end < n && text[end] == u'.') {
        const qsizetype fractionEnd = digitsFrom(end + 1);
        digits += fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (digits == 0)
        return 0.0;

    if (end < n && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype j = end + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (const qsizetype exponentEnd = digitsFrom(j); exponentEnd > j)
            end = exponentEnd;
    }

    // What is left is a number in the C locale's form. Qt reads one too large for a double as
    // infinity and one too small as zero, and says so only through the flag it is not asked for.
    const double value = QLocale::c().toDouble(text.sliced(mantissaStart, end - mantissaStart));
    return negative ? -value : value;
}

} // namespace surface
