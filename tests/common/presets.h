// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The lists the main window starts with, as its definition gives them.

#include <QStringList>

namespace testing {

inline const QStringList PresetSchools = {QStringLiteral("Franklin"), QStringLiteral("Highland"),
                                          QStringLiteral("Midtown"),
                                          QStringLiteral("West Highland")};
inline const QStringList Majors = {QStringLiteral("Accounting"), QStringLiteral("Business"),
                                   QStringLiteral("Computer Information Systems"),
                                   QStringLiteral("Marketing")};

} // namespace testing
