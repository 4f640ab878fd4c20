// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// A recording stand-in for the surface: plain values instead of widgets, and a log of what
// the procedures did, in order. Lists keep their items in the same ItemList as the Qt
// binding, and procedures run through the same EventRunner, so they obey the same rules.

#include "eventrunner.h"
#include "itemlist.h"
#include "surface.h"

#include <QStringList>

#include <vector>

namespace surface::recording {

struct Message
{
    QString prompt;
    QString title;
    friend bool operator==(const Message &, const Message &) = default;
};

// What all the controls of one window share: the focus, the messages shown and the log.
class Recorder
{
public:
    QString focus;                 // name of the control that has the focus
    std::vector<Message> messages; // every MsgBox, in order
    QStringList log;               // "MsgBox Error", "txtName.SetFocus", "cboSchool.AddItem x", ...
    QStringList errors;            // descriptions of errors that stopped a procedure
    bool ended = false;

    // Runs a procedure by the program's own rule: an error stops it and is recorded, End
    // unwinds, and a procedure asked for while one runs is dropped.
    template<class Procedure> void run(Procedure &&procedure)
    {
        m_events.run(std::forward<Procedure>(procedure));
    }

private:
    EventRunner m_events{[this](const QString &description) {
        errors.append(description);
    }};
};

class Control
{
public:
    Control(Recorder &recorder, QString name) : m_recorder(recorder), m_name(std::move(name)) {}
    QString name() const { return m_name; }

protected:
    void record(const QString &what) { m_recorder.log.append(m_name + what); }
    void takeFocus()
    {
        m_recorder.focus = m_name;
        record(QStringLiteral(".SetFocus"));
    }
    Recorder &m_recorder;

private:
    QString m_name;
};

class RecordingWindow final : public Window, public Control
{
public:
    using Control::Control;
    void show(bool modal) override;
    void hide() override;
    bool visible = false;
    int shown = 0;
};

class RecordingTextBox final : public TextBox, public Control
{
public:
    using Control::Control;
    QString text() const override { return value; }
    void setText(const QString &text) override;
    void setFocus() override { takeFocus(); }
    QString value;
};

class RecordingLabel final : public Label, public Control
{
public:
    using Control::Control;
    void setCaption(const QString &caption) override;
    QString value;
};

class RecordingOptionButton final : public OptionButton, public Control
{
public:
    using Control::Control;
    bool value() const override { return checked; }
    void setValue(bool value) override;
    void setFocus() override { takeFocus(); }
    bool checked = false;
};

class RecordingCheckBox final : public CheckBox, public Control
{
public:
    using Control::Control;
    Integer value() const override { return state; }
    void setValue(Integer value) override;
    void setFocus() override { takeFocus(); }
    Integer state = Unchecked;
};

class RecordingListBox final : public ListBox, public Control
{
public:
    RecordingListBox(Recorder &recorder, QString name, const QStringList &items);
    Integer listIndex() const override { return picked; }
    QString list(Integer index) const override { return items.at(index); }
    void setText(const QString &text) override;
    void setFocus() override { takeFocus(); }
    ItemList items;
    Integer picked = NoItem;
};

class RecordingComboBox final : public ComboBox, public Control
{
public:
    RecordingComboBox(Recorder &recorder, QString name, const QStringList &items, bool sorted);
    QString text() const override { return edit; }
    void setText(const QString &text) override;
    Integer listIndex() const override { return picked; }
    void setListIndex(Integer index) override;
    Integer listCount() const override { return items.count(); }
    QString list(Integer index) const override { return items.at(index); }
    void addItem(const QString &item) override;
    Integer newIndex() const override { return added; }
    void setFocus() override { takeFocus(); }

    // What the user does: type into the edit field, or pick an item of the list.
    void type(const QString &text);
    void pickItem(Integer index);

    ItemList items;
    QString edit;
    Integer picked = NoItem;
    Integer added = NoItem;
};

class RecordingRuntime final : public Runtime
{
public:
    explicit RecordingRuntime(Recorder &recorder) : m_recorder(recorder) {}
    [[noreturn]] void End() override;

private:
    void showMessage(const QString &prompt, const QString &title) override;

    Recorder &m_recorder;
};

} // namespace surface::recording
