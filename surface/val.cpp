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
//   Reading is a single pass over the number's characters, so any length is safe.

#include "surface.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace surface {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The power of ten of the first significant digit of a well-formed, non-zero number such as
// "0.00012e-3" (-7). Saturates instead of overflowing on absurd exponents.
long long decimalExponent(const std::string &number)
{
    const auto mark = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, mark);
    long long exponent = 0;
    if (mark != std::string::npos) {
        std::size_t k = mark + 1;
        const bool negative = k < number.size() && number[k] == '-';
        if (k < number.size() && (number[k] == '+' || number[k] == '-'))
            ++k;
        for (; k < number.size(); ++k) {
            exponent = std::min(exponent * 10 + (number[k] - '0'), 1LL << 40);
        }
        if (negative)
            exponent = -exponent;
    }
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return 0;
    const long long position = first < point ? static_cast<long long>(point - first - 1)
                                             : -static_cast<long long>(first - point);
    return position + exponent;
}

} // namespace

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
        while (at < n && isAsciiDigit(text[at]))
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

    // Every character of [mantissaStart, end) is ASCII, so narrowing is exact.
    std::string number;
    number.reserve(static_cast<std::size_t>(end - mantissaStart));
    for (qsizetype k = mantissaStart; k < end; ++k)
        number.push_back(static_cast<char>(text[k].unicode()));

    double value = 0.0;
    const auto ec = std::from_chars(number.data(), number.data() + number.size(), value).ec;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone here. The number is either far above or far below
        // 1, so the sign of its decimal exponent tells overflow from underflow.
        value = decimalExponent(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace surface
