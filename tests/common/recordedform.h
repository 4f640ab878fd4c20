// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The main window's procedures wired to the recording double, with the window's initial
// contents, plus the user's side of the controls.

#include "frmstudent.h"
#include "presets.h"
#include "recording.h"

namespace testing {

using namespace surface::recording;

struct RecordedForm
{
    Recorder recorder;
    RecordingTextBox txtName{recorder, QStringLiteral("txtName")};
    RecordingTextBox txtUnits{recorder, QStringLiteral("txtUnits")};
    RecordingOptionButton optFreshman{recorder, QStringLiteral("optFreshman")};
    RecordingOptionButton optSophomore{recorder, QStringLiteral("optSophomore")};
    RecordingOptionButton optJunior{recorder, QStringLiteral("optJunior")};
    RecordingOptionButton optSenior{recorder, QStringLiteral("optSenior")};
    RecordingListBox lstMajor{recorder, QStringLiteral("lstMajor"), Majors};
    RecordingCheckBox chkDeans{recorder, QStringLiteral("chkDeans")};
    RecordingComboBox cboSchool{recorder, QStringLiteral("cboSchool"), PresetSchools, true};
    RecordingRuntime runtime{recorder};
    student_form::frmStudent form{{txtName, txtUnits, optFreshman, optSophomore, optJunior,
                                   optSenior, lstMajor, chkDeans, cboSchool, runtime}};

    // The user chooses a grade: the group stays exclusive.
    void choose(RecordingOptionButton &grade)
    {
        for (RecordingOptionButton *b : {&optFreshman, &optSophomore, &optJunior, &optSenior})
            b->checked = b == &grade;
    }

    // A complete record: the worked example with its school typed or picked.
    void fillExample()
    {
        txtName.value = QStringLiteral("A. Sample");
        txtUnits.value = QStringLiteral("30");
        lstMajor.picked = 1;
        cboSchool.pickItem(2);
        choose(optSophomore);
        chkDeans.state = surface::Checked;
    }

    void print()
    {
        recorder.run([this] { form.cmdPrint_Click(); });
    }
    void clear()
    {
        recorder.run([this] { form.cmdOK_Click(); });
    }
    void report()
    {
        recorder.run([this] { form.mnuPrintSchools_Click(); });
    }

    QString lastPrompt() const
    {
        return recorder.messages.empty() ? QString() : recorder.messages.back().prompt;
    }
};

} // namespace testing
