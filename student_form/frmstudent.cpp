// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "frmstudent.h"

namespace student_form {

using namespace Qt::StringLiterals;
using surface::CrLf;
using surface::Integer;

namespace {

const QString ErrorTitle = u"Error"_s;

} // namespace

QString schoolListCredit()
{
    return u"Compiled by the Tessaly student records desk"_s;
}

void frmStudent::cmdPrint_Click()
{
    if (m_controls.txtName.text() == u""_s) {
        m_controls.runtime.MsgBox(u"Please Enter Your Name"_s, surface::OkOnly, ErrorTitle);
        m_controls.txtName.setFocus();
        return;
    }
    if (!(surface::Val(m_controls.txtUnits.text()) > 0.0)) {
        m_controls.runtime.MsgBox(u"Enter Number of Units"_s, surface::OkOnly, ErrorTitle);
        m_controls.txtUnits.setFocus();
        return;
    }
    if (m_controls.lstMajor.listIndex() == surface::NoItem) {
        m_controls.runtime.MsgBox(u"Please Enter Your Major"_s, surface::OkOnly, ErrorTitle);
        m_controls.lstMajor.setFocus();
        return;
    }
    if (m_controls.cboSchool.text() == u""_s) {
        m_controls.runtime.MsgBox(u"Please Enter Your School"_s, surface::OkOnly, ErrorTitle);
        m_controls.cboSchool.setFocus();
        return;
    }
    const bool freshman = m_controls.optFreshman.value();
    const bool sophomore = m_controls.optSophomore.value();
    const bool junior = m_controls.optJunior.value();
    const bool senior = m_controls.optSenior.value();
    if (!freshman && !sophomore && !junior && !senior) {
        m_controls.runtime.MsgBox(u"Grade Level Not Selected"_s, surface::OkOnly, ErrorTitle);
        return;
    }

    QString summary;
    summary += u"Student Name: "_s + m_controls.txtName.text() + CrLf + CrLf;
    summary += u"Units Completed: "_s + m_controls.txtUnits.text() + CrLf;
    summary += u"Major: "_s + m_controls.lstMajor.list(m_controls.lstMajor.listIndex()) + CrLf;

    // A school typed rather than picked joins the list, at its sorted place, and is picked.
    // Typing one that is listed already adds it again: no search is made.
    if (m_controls.cboSchool.listIndex() == surface::NoItem) {
        m_controls.cboSchool.addItem(m_controls.cboSchool.text());
        m_controls.cboSchool.setListIndex(m_controls.cboSchool.newIndex());
    }
    summary += u"School: "_s + m_controls.cboSchool.list(m_controls.cboSchool.listIndex()) + CrLf;

    QString grade;
    if (m_controls.optFreshman.value())
        grade = u"Freshman"_s;
    else if (m_controls.optSophomore.value())
        grade = u"Sophomore"_s;
    else if (m_controls.optJunior.value())
        grade = u"Junior"_s;
    else
        grade = u"Senior"_s;
    summary += u"Grade Level: "_s + grade + CrLf;

    switch (m_controls.chkDeans.value()) {
    case surface::Unchecked:
        summary += u"Deans List: "_s + u"No"_s + CrLf;
        break;
    case surface::Checked:
        summary += u"Deans List: "_s + u"Yes"_s;
        break;
    default: // grayed: no deans line
        break;
    }

    m_controls.runtime.MsgBox(summary, surface::OkOnly, u"Quorlant"_s);
}

void frmStudent::cmdOK_Click()
{
    m_controls.txtName.setText(u""_s);
    m_controls.txtUnits.setText(u""_s);
    m_controls.optFreshman.setValue(false);
    m_controls.optSophomore.setValue(false);
    m_controls.optJunior.setValue(false);
    m_controls.optSenior.setValue(false);
    m_controls.chkDeans.setValue(surface::Unchecked);
    m_controls.lstMajor.setText(u""_s);
    m_controls.cboSchool.setText(u""_s);
    m_controls.txtName.setFocus();
}

void frmStudent::ReDimArray(Integer &gintSize)
{
    mstrSchools.assign(static_cast<std::size_t>(gintSize) + 1, QString());
}

QString &frmStudent::schoolAt(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= mstrSchools.size())
        throw surface::Error(surface::ErrorKind::IndexOutOfRange);
    return mstrSchools[static_cast<std::size_t>(index)];
}

void frmStudent::mnuPrintSchools_Click()
{
    Integer n = m_controls.cboSchool.listCount();
    Integer size = n;
    ReDimArray(size);
    schoolAt(0) = u"School List:"_s;

    // The counters are wider than the list's 16-bit count: stepping past the last index of
    // a full list (32,767 items) must not wrap around.
    const Integer m = m_controls.cboSchool.listCount();
    for (int i = 0; i <= m - 1; ++i)
        schoolAt(i + 1) = m_controls.cboSchool.list(static_cast<Integer>(i));

    QString message = schoolListCredit() + CrLf + CrLf;
    for (int i = 0; i <= m; ++i)
        message += CrLf + schoolAt(i);

    m_controls.runtime.MsgBox(message, surface::OkOnly, u"School List"_s);
}

} // namespace student_form
