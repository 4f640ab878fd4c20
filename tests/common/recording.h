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
    void show(bool modal) override
    {
        visible = true;
        ++shown;
        record(modal ? QStringLiteral(".Show modal") : QStringLiteral(".Show"));
        // A modal Show returns once the window is hidden; the test plays the user who hides it.
        if (modal)
            visible = false;
    }
    void hide() override
    {
        visible = false;
        record(QStringLiteral(".Hide"));
    }
    bool visible = false;
    int shown = 0;
};

class RecordingTextBox final : public TextBox, public Control
{
public:
    using Control::Control;
    QString text() const override { return value; }
    void setText(const QString &text) override
    {
        value = text;
        record(QStringLiteral(".Text = ") + text);
    }
    void setFocus() override { takeFocus(); }
    QString value;
};

class RecordingLabel final : public Label, public Control
{
public:
    using Control::Control;
    void setCaption(const QString &caption) override
    {
        value = caption;
        record(QStringLiteral(".Caption = ") + caption);
    }
    QString value;
};

class RecordingOptionButton final : public OptionButton, public Control
{
public:
    using Control::Control;
    bool value() const override { return checked; }
    void setValue(bool value) override
    {
        checked = value;
        record(value ? QStringLiteral(".Value = True") : QStringLiteral(".Value = False"));
    }
    void setFocus() override { takeFocus(); }
    bool checked = false;
};

class RecordingCheckBox final : public CheckBox, public Control
{
public:
    using Control::Control;
    Integer value() const override { return state; }
    void setValue(Integer value) override
    {
        if (value != Unchecked && value != Checked && value != Grayed)
            throw Error(ErrorKind::InvalidValue);
        state = value;
        record(QStringLiteral(".Value = ") + QString::number(value));
    }
    void setFocus() override { takeFocus(); }
    Integer state = Unchecked;
};

class RecordingListBox final : public ListBox, public Control
{
public:
    RecordingListBox(Recorder &recorder, QString name, const QStringList &initial)
        : Control(recorder, std::move(name))
    {
        items.assign(initial);
    }
    Integer listIndex() const override { return picked; }
    QString list(Integer index) const override { return items.at(index); }
    void setText(const QString &text) override
    {
        picked = items.indexOf(text);
        record(QStringLiteral(".Text = ") + text);
    }
    void setFocus() override { takeFocus(); }
    ItemList items;
    Integer picked = NoItem;
};

class RecordingComboBox final : public ComboBox, public Control
{
public:
    RecordingComboBox(Recorder &recorder, QString name, const QStringList &initial, bool sorted)
        : Control(recorder, std::move(name)), items(sorted)
    {
        items.assign(initial);
    }
    QString text() const override { return edit; }
    void setText(const QString &text) override
    {
        type(text);
        record(QStringLiteral(".Text = ") + text);
    }
    Integer listIndex() const override { return picked; }
    void setListIndex(Integer index) override
    {
        items.checkPick(index);
        picked = index;
        edit = index == NoItem ? QString() : items.at(index);
        record(QStringLiteral(".ListIndex = ") + QString::number(index));
    }
    Integer listCount() const override { return items.count(); }
    QString list(Integer index) const override { return items.at(index); }
    void addItem(const QString &item) override
    {
        added = items.add(item);
        if (picked >= added)
            ++picked;
        record(QStringLiteral(".AddItem ") + item);
    }
    Integer newIndex() const override { return added; }
    void setFocus() override { takeFocus(); }

    // What the user does: type into the edit field, or pick an item of the list.
    void type(const QString &text)
    {
        edit = text;
        picked = NoItem;
    }
    void pickItem(Integer index)
    {
        picked = index;
        edit = items.at(index);
    }

    ItemList items;
    QString edit;
    Integer picked = NoItem;
    Integer added = NoItem;
};

class RecordingRuntime final : public Runtime
{
public:
    explicit RecordingRuntime(Recorder &recorder) : m_recorder(recorder) {}
    [[noreturn]] void End() override
    {
        m_recorder.ended = true;
        m_recorder.log.append(QStringLiteral("End"));
        throw ProgramEnded{};
    }

private:
    void showMessage(const QString &prompt, const QString &title) override
    {
        m_recorder.messages.push_back({prompt, title});
        m_recorder.log.append(QStringLiteral("MsgBox ") + title);
    }

    Recorder &m_recorder;
};

} // namespace surface::recording
