// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "frmstudent.h"

namespace student_form {

using namespace Qt::StringLiterals;
using surface::CrLf;
using surface::Integer;

// Tells the user what is missing and moves the focus to where it goes, if anywhere.
void frmStudent::refuse(const QString &message, surface::Focusable *entry)
{
    m_controls.runtime.MsgBox(message, surface::OkOnly, u"Error"_s);
    if (entry)
        entry->setFocus();
}

void frmStudent::cmdPrint_Click()
{
    StudentControls &c = m_controls;
    if (c.txtName.text() == u""_s)
        return refuse(u"Please Enter Your Name"_s, &c.txtName);
    if (!(surface::Val(c.txtUnits.text()) > 0.0))
        return refuse(u"Enter Number of Units"_s, &c.txtUnits);
    if (c.lstMajor.listIndex() == surface::NoItem)
        return refuse(u"Please Enter Your Major"_s, &c.lstMajor);
    if (c.cboSchool.text() == u""_s)
        return refuse(u"Please Enter Your School"_s, &c.cboSchool);
    const bool freshman = c.optFreshman.value();
    const bool sophomore = c.optSophomore.value();
    const bool junior = c.optJunior.value();
    const bool senior = c.optSenior.value();
    if (!freshman && !sophomore && !junior && !senior)
        return refuse(u"Grade Level Not Selected"_s, nullptr);
    const QString grade = freshman    ? u"Freshman"_s
                          : sophomore ? u"Sophomore"_s
                          : junior    ? u"Junior"_s
                                      : u"Senior"_s;

    QString summary = u"Student Name: "_s + c.txtName.text() + CrLf + CrLf;
    summary += u"Units Completed: "_s + c.txtUnits.text() + CrLf;
    summary += u"Major: "_s + c.lstMajor.list(c.lstMajor.listIndex()) + CrLf;

    // A school typed rather than picked joins the list, at its sorted place, and is picked.
    // Typing one that is listed already adds it again: no search is made.
    if (c.cboSchool.listIndex() == surface::NoItem) {
        c.cboSchool.addItem(c.cboSchool.text());
        c.cboSchool.setListIndex(c.cboSchool.newIndex());
    }
    summary += u"School: "_s + c.cboSchool.list(c.cboSchool.listIndex()) + CrLf;
    summary += u"Grade Level: "_s + grade + CrLf;

    switch (c.chkDeans.value()) {
    case surface::Unchecked:
        summary += u"Deans List: No"_s + CrLf;
        break;
    case surface::Checked:
        summary += u"Deans List: Yes"_s;
        break;
    default: // grayed: no deans line
        break;
    }

    c.runtime.MsgBox(summary, surface::OkOnly, u"Quorlant"_s);
}

void frmStudent::cmdOK_Click()
{
    StudentControls &c = m_controls;
    c.txtName.setText(u""_s);
    c.txtUnits.setText(u""_s);
    for (surface::OptionButton *grade :
         {&c.optFreshman, &c.optSophomore, &c.optJunior, &c.optSenior})
        grade->setValue(false);
    c.chkDeans.setValue(surface::Unchecked);
    c.lstMajor.setText(u""_s);
    c.cboSchool.setText(u""_s);
    c.txtName.setFocus();
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
    Integer size = m_controls.cboSchool.listCount();
    ReDimArray(size);
    schoolAt(0) = u"School List:"_s;

    // The counters are wider than the list's 16-bit count: stepping past the last index of
    // a full list (32,767 items) must not wrap around.
    const Integer m = m_controls.cboSchool.listCount();
    for (int i = 0; i <= m - 1; ++i)
        schoolAt(i + 1) = m_controls.cboSchool.list(static_cast<Integer>(i));

    QString message = SchoolListCredit + CrLf + CrLf;
    for (int i = 0; i <= m; ++i)
        message += CrLf + schoolAt(i);

    m_controls.runtime.MsgBox(message, surface::OkOnly, u"School List"_s);
}

} // namespace student_form
