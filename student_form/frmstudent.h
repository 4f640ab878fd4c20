// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The event procedures of the main window. They see the window only through the controls
// named here, so they run the same against real widgets and against the recording double.

#include "surface.h"

#include <QString>

#include <vector>

namespace student_form {

struct StudentControls
{
    surface::TextBox &txtName;
    surface::TextBox &txtUnits;
    surface::OptionButton &optFreshman;
    surface::OptionButton &optSophomore;
    surface::OptionButton &optJunior;
    surface::OptionButton &optSenior;
    surface::ListBox &lstMajor;
    surface::CheckBox &chkDeans;
    surface::ComboBox &cboSchool;
    surface::Runtime &runtime;
};

// The first line of the school list report.
inline const QString SchoolListCredit =
    QStringLiteral("Compiled by the Tessaly student records desk");

class frmStudent
{
public:
    explicit frmStudent(const StudentControls &controls) : m_controls(controls) {}

    // "&Print": checks the entries, captures a typed school, shows the summary.
    void cmdPrint_Click();
    // "&OK": empties every entry for the next record.
    void cmdOK_Click();
    // File, "Print S&chools": lists every school of the combo box.
    void mnuPrintSchools_Click();

    // Re-creates mstrSchools with indices 0 to gintSize, every element empty.
    void ReDimArray(surface::Integer &gintSize);
    // The latest report's array: the heading, then the schools.
    const std::vector<QString> &schools() const { return mstrSchools; }

private:
    void refuse(const QString &message, surface::Focusable *entry);
    QString &schoolAt(int index);

    StudentControls m_controls;
    std::vector<QString> mstrSchools;
};

} // namespace student_form
