// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include "frmstudent.h"

#include "eventrunner.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class StudentWindow;
}

namespace student_form {

// The main window: its definition comes from studentwindow.ui, its commands from frmStudent.
class StudentWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit StudentWindow(QWidget *parent = nullptr);
    ~StudentWindow() override;

    // Runs an event procedure of this window, unless another one of it is still running.
    template<class Procedure> bool runEvent(Procedure &&procedure)
    {
        return m_events.run(std::forward<Procedure>(procedure));
    }
    // The shell's commands live in its own layer; it connects to these.
    QAction *exitAction() const;
    QAction *aboutAction() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Binding;
    struct Entries;

    void connectEvents();
    void clear();
    void undoClear();
    void forgetClear();

    std::unique_ptr<Ui::StudentWindow> ui;
    std::unique_ptr<Binding> m_binding;
    // The record as it stood before "&OK" cleared it, until an entry changes.
    std::unique_ptr<Entries> m_cleared;
    bool m_changing = false;
    std::unique_ptr<frmStudent> m_form;
    surface::EventRunner m_events;
};

} // namespace student_form
