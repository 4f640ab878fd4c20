// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// libFuzzer target for Val. Any input: no crash, no hang, never NaN. An input that begins
// with a well-formed decimal number: the same value, to the bit, as the C library's strtod
// reads from it.

#include "surface.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Where strtod and Val read the same number: optional white space and sign, then a digit or
// a point and a digit, and no hexadecimal prefix (strtod reads those, Val does not).
bool beginsWithDecimal(const std::string &text)
{
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos)
        return false;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    if (i < text.size() && text[i] == '0' && i + 1 < text.size() &&
        (text[i + 1] == 'x' || text[i + 1] == 'X'))
        return false;
    if (i < text.size() && isDigit(text[i]))
        return true;
    return i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1]);
}

// strtod already gives what Val promises out of range: infinity above, and below the smallest
// double a zero of the number's sign; it only reports those through errno.
double oracle(const std::string &text)
{
    return std::strtod(text.c_str(), nullptr);
}

bool same(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const double value = surface::Val(text);
    if (std::isnan(value)) {
        std::fprintf(stderr, "Val gave NaN\n");
        std::abort();
    }

    // Only the ASCII start matters to both readers; strtod needs it NUL-terminated.
    std::string ascii;
    for (std::size_t i = 0; i < size && data[i] != 0 && data[i] < 0x80; ++i)
        ascii.push_back(static_cast<char>(data[i]));
    if (!beginsWithDecimal(ascii))
        return 0;
    const double expected = oracle(ascii);
    if (!same(value, expected)) {
        std::fprintf(stderr, "Val(\"%s\") = %.17g, strtod reads %.17g\n", ascii.c_str(), value,
                     expected);
        std::abort();
    }
    return 0;
}
