#include "frmstudent.h"

#include <QCoreApplication>

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
    if (c.txtName.text() == u""_s) {
        c.runtime.MsgBox(u"Please Enter Your Name"_s, surface::OkOnly, ErrorTitle);
        c.txtName.setFocus();
        return;
    }
    if (!(surface::Val(c.txtUnits.text()) > 0.0)) {
        c.runtime.MsgBox(u"Enter Number of Units"_s, surface::OkOnly, ErrorTitle);
        c.txtUnits.setFocus();
        return;
    }
    if (c.lstMajor.listIndex() == surface::NoItem) {
        c.runtime.MsgBox(u"Please Enter Your Major"_s, surface::OkOnly, ErrorTitle);
        c.lstMajor.setFocus();
        return;
    }
    if (c.cboSchool.text() == u""_s) {
        c.runtime.MsgBox(u"Please Enter Your School"_s, surface::OkOnly, ErrorTitle);
        c.cboSchool.setFocus();
        return;
    }
    const bool freshman = c.optFreshman.value();
    const bool sophomore = c.optSophomore.value();
    const bool junior = c.optJunior.value();
    const bool senior = c.optSenior.value();
    if (!freshman && !sophomore && !junior && !senior) {
        c.runtime.MsgBox(u"Grade Level Not Selected"_s, surface::OkOnly, ErrorTitle);
        return;
    }

    QString summary;
    summary += u"Student Name: "_s + c.txtName.text() + CrLf + CrLf;
    summary += u"Units Completed: "_s + c.txtUnits.text() + CrLf;
    summary += u"Major: "_s + c.lstMajor.list(c.lstMajor.listIndex()) + CrLf;

    // A school typed rather than picked joins the list, at its sorted place, and is picked.
    // Typing one that is listed already adds it again: no search is made.
    if (c.cboSchool.listIndex() == surface::NoItem) {
        c.cboSchool.addItem(c.cboSchool.text());
        c.cboSchool.setListIndex(c.cboSchool.newIndex());
    }
    summary += u"School: "_s + c.cboSchool.list(c.cboSchool.listIndex()) + CrLf;

    QString grade;
    if (c.optFreshman.value())
        grade = u"Freshman"_s;
    else if (c.optSophomore.value())
        grade = u"Sophomore"_s;
    else if (c.optJunior.value())
        grade = u"Junior"_s;
    else
        grade = u"Senior"_s;
    summary += u"Grade Level: "_s + grade + CrLf;

    switch (c.chkDeans.value()) {
    case surface::Unchecked:
        summary += u"Deans List: "_s + u"No"_s + CrLf;
        break;
    case surface::Checked:
        summary += u"Deans List: "_s + u"Yes"_s;
        break;
    default: // grayed: no deans line
        break;
    }

    c.runtime.MsgBox(summary, surface::OkOnly, u"Quorlant"_s);
}

void frmStudent::cmdOK_Click()
{
    c.txtName.setText(u""_s);
    c.txtUnits.setText(u""_s);
    c.optFreshman.setValue(false);
    c.optSophomore.setValue(false);
    c.optJunior.setValue(false);
    c.optSenior.setValue(false);
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
        throw surface::Error(9,
                             QCoreApplication::translate("student_form", "Subscript out of range"));
    return mstrSchools[static_cast<std::size_t>(index)];
}

void frmStudent::mnuPrintSchools_Click()
{
    Integer n = c.cboSchool.listCount();
    Integer size = n;
    ReDimArray(size);
    schoolAt(0) = u"School List:"_s;

    // The counters are wider than the list's 16-bit count: stepping past the last index of
    // a full list (32,767 items) must not wrap around.
    const Integer m = c.cboSchool.listCount();
    for (int i = 0; i <= m - 1; ++i)
        schoolAt(i + 1) = c.cboSchool.list(static_cast<Integer>(i));

    QString message = schoolListCredit() + CrLf + CrLf;
    for (int i = 0; i <= m; ++i)
        message += CrLf + schoolAt(i);

    c.runtime.MsgBox(message, surface::OkOnly, u"School List"_s);
}

} // namespace student_form
