// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The lists the main window starts with, as its definition gives them.

#include "itemlist.h"

#include <QStringList>

namespace testing {

inline const QStringList PresetSchools = {QStringLiteral("Franklin"), QStringLiteral("Highland"),
                                          QStringLiteral("Midtown"),
                                          QStringLiteral("West Highland")};
// The presets once "Lincoln" has been typed and printed: at its alphabetical place.
inline const QStringList SchoolsWithLincoln = {
    QStringLiteral("Franklin"), QStringLiteral("Highland"), QStringLiteral("Lincoln"),
    QStringLiteral("Midtown"), QStringLiteral("West Highland")};
inline const QStringList Majors = {QStringLiteral("Accounting"), QStringLiteral("Business"),
                                   QStringLiteral("Computer Information Systems"),
                                   QStringLiteral("Marketing")};

// The longest school list there is, already in alphabetical order: "School 00000" on.
inline QStringList fullSchoolList()
{
    QStringList schools;
    for (int i = 0; i < surface::ItemList::MaxCount; ++i)
        schools.append(QStringLiteral("School %1").arg(i, 5, 10, QLatin1Char('0')));
    return schools;
}

} // namespace testing
