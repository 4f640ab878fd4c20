// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "studentwindow.h"

#include "ui_studentwindow.h"

#include "controls.h"
#include "windowbehaviour.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScopedValueRollback>
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

// What "&OK" clears, read and written back through the same controls the procedures use.
struct StudentWindow::Entries
{
    explicit Entries(Binding &b)
        : name(b.txtName.text()),
          units(b.txtUnits.text()), grades{b.optFreshman.value(), b.optSophomore.value(),
                                           b.optJunior.value(), b.optSenior.value()},
          major(b.lstMajor.listIndex()), deans(b.chkDeans.value()), school(b.cboSchool.text()),
          schoolPick(b.cboSchool.listIndex()), focus(QApplication::focusWidget())
    {}

    void restore(Binding &b) const
    {
        b.txtName.setText(name);
        b.txtUnits.setText(units);
        surface::OptionButton *options[] = {&b.optFreshman, &b.optSophomore, &b.optJunior,
                                            &b.optSenior};
        for (int i = 0; i < 4; ++i)
            options[i]->setValue(grades[i]);
        if (major >= 0)
            b.lstMajor.setText(b.lstMajor.list(major));
        b.chkDeans.setValue(deans);
        // The list only grows, and not while the form is empty, so the pick still holds.
        if (schoolPick >= 0 && schoolPick < b.cboSchool.listCount())
            b.cboSchool.setListIndex(schoolPick);
        else
            b.cboSchool.setText(school);
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
    }

    QString name, units;
    bool grades[4];
    surface::Integer major, deans;
    QString school;
    surface::Integer schoolPick;
    QPointer<QWidget> focus;
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
    connect(ui->cmdOK, &QPushButton::clicked, this, &StudentWindow::clear);
    connect(ui->mnuPrintSchools, &QAction::triggered, this,
            [this] { runEvent([this] { m_form->mnuPrintSchools_Click(); }); });

    // "&OK" is the cancel button: Esc anywhere in the window clears the form. Enter is left
    // alone, so finishing a text field with Enter never wipes the record.
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancel->setObjectName(QStringLiteral("cancelShortcut"));
    connect(cancel, &QShortcut::activated, ui->cmdOK, &QPushButton::click);

    // A clear can be undone until an entry changes.
    for (QLineEdit *edit : {ui->txtName, ui->txtUnits, ui->cboSchool->lineEdit()})
        connect(edit, &QLineEdit::textChanged, this, &StudentWindow::forgetClear);
    for (QAbstractButton *button : QList<QAbstractButton *>{
             ui->optFreshman, ui->optSophomore, ui->optJunior, ui->optSenior, ui->chkDeans})
        connect(button, &QAbstractButton::toggled, this, &StudentWindow::forgetClear);
    connect(ui->lstMajor, &QListWidget::itemSelectionChanged, this, &StudentWindow::forgetClear);
}

// "&OK" asks no question, so Ctrl+Z brings the record back: Esc meant for a message box, or
// passed on by an input method, must not lose it. A second clear of the cleared form changes
// nothing and keeps the record to bring back.
void StudentWindow::clear()
{
    auto before = m_cleared ? nullptr : std::make_unique<Entries>(*m_binding);
    bool cleared = false;
    {
        const QScopedValueRollback changing(m_changing, true);
        cleared = runEvent([this] { m_form->cmdOK_Click(); });
    }
    if (cleared && before) {
        m_cleared = std::move(before);
        // Ahead of the text fields, whose own Ctrl+Z would find nothing to undo.
        qApp->installEventFilter(this);
    }
}

void StudentWindow::undoClear()
{
    const std::unique_ptr<Entries> entries = std::move(m_cleared);
    forgetClear();
    const QScopedValueRollback changing(m_changing, true);
    entries->restore(*m_binding);
}

void StudentWindow::forgetClear()
{
    if (m_changing)
        return;
    m_cleared.reset();
    qApp->removeEventFilter(this);
}

bool StudentWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (m_cleared && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo) && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        undoClear();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace student_form
