// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "studentwindow.h"

#include "ui_studentwindow.h"

#include "controls.h"
#include "keyboard.h"
#include "runtime.h"
#include "windowframe.h"

#include <QShortcut>

namespace student_form {

using namespace surface::qt;

// The surface's view of this window's controls.
struct StudentWindow::Binding
{
    explicit Binding(StudentWindow *window, Ui::StudentWindow *ui)
        : txtName(ui->txtName), txtUnits(ui->txtUnits), optFreshman(ui->optFreshman),
          optSophomore(ui->optSophomore), optJunior(ui->optJunior), optSenior(ui->optSenior),
          lstMajor(ui->lstMajor), chkDeans(ui->chkDeans), cboSchool(ui->cboSchool), runtime(window)
    {}

    StudentControls controls()
    {
        return {txtName,   txtUnits, optFreshman, optSophomore, optJunior,
                optSenior, lstMajor, chkDeans,    cboSchool,    runtime};
    }

    QtTextBox txtName;
    QtTextBox txtUnits;
    QtOptionButton optFreshman;
    QtOptionButton optSophomore;
    QtOptionButton optJunior;
    QtOptionButton optSenior;
    QtListBox lstMajor;
    QtCheckBox chkDeans;
    QtComboBox cboSchool;
    QtRuntime runtime;
};

StudentWindow::StudentWindow(QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::StudentWindow>()), m_events(reportError)
{
    ui->setupUi(this);
    ui->mnuSpace->setSeparator(true);
    ui->mnuSpace->setText(QString()); // a line, nothing for a screen reader to read out
    m_binding = std::make_unique<Binding>(this, ui.get());
    m_form = std::make_unique<frmStudent>(m_binding->controls());

    setFixedDialogFrame(this);
    // Alt+H is both "Sop&homore" and "&Help": the grade, entered on every record, wins.
    preferButtonAccessKey(ui->menubar, ui->optSophomore);
    tabToChosenOption(ui->fraGrade);
    clickAccessKeysAtOnce(this);
    ignoreAltTyping(this);
    connectEvents();
    ui->txtName->setFocus();
}

StudentWindow::~StudentWindow() = default;

QAction *StudentWindow::exitAction() const
{
    return ui->mnuExit;
}

QAction *StudentWindow::aboutAction() const
{
    return ui->mnuAbout;
}

void StudentWindow::connectEvents()
{
    connect(ui->cmdPrint, &QPushButton::clicked, this,
            [this] { runEvent([this] { m_form->cmdPrint_Click(); }); });
    connect(ui->cmdOK, &QPushButton::clicked, this,
            [this] { runEvent([this] { m_form->cmdOK_Click(); }); });
    connect(ui->mnuPrintSchools, &QAction::triggered, this,
            [this] { runEvent([this] { m_form->mnuPrintSchools_Click(); }); });

    // "&OK" is the cancel button: Esc anywhere in the window clears the form. Enter is left
    // alone, so finishing a text field with Enter never wipes the record.
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancel->setObjectName(QStringLiteral("cancelShortcut"));
    connect(cancel, &QShortcut::activated, ui->cmdOK, &QPushButton::click);
}

} // namespace student_form
