// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "surface.h"

namespace surface {

namespace {

const char *describe(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::ListFull:
        return "The list is full: it cannot hold more than 32,767 items.";
    case ErrorKind::IndexOutOfRange:
        return "There is no item at that position.";
    case ErrorKind::InvalidValue:
        break;
    }
    return "That value cannot be used here.";
}

} // namespace

Error::Error(ErrorKind kind) : std::runtime_error(describe(kind)), m_kind(kind) {}

void Runtime::MsgBox(const QString &prompt, Integer buttons, const QString &title)
{
    if (buttons != OkOnly)
        throw Error(ErrorKind::InvalidValue);
    showMessage(prompt, title);
}

} // namespace surface
