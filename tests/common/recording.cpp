// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "recording.h"

namespace surface::recording {

namespace {

[[noreturn]] void invalidValue()
{
    throw Error(ErrorKind::InvalidValue);
}

} // namespace

void RecordingWindow::show(bool modal)
{
    visible = true;
    ++shown;
    record(modal ? QStringLiteral(".Show modal") : QStringLiteral(".Show"));
    // A modal Show returns once the window is hidden; the test plays the user who hides it.
    if (modal)
        visible = false;
}

void RecordingWindow::hide()
{
    visible = false;
    record(QStringLiteral(".Hide"));
}

void RecordingTextBox::setText(const QString &text)
{
    value = text;
    record(QStringLiteral(".Text = ") + text);
}

void RecordingLabel::setCaption(const QString &caption)
{
    value = caption;
    record(QStringLiteral(".Caption = ") + caption);
}

void RecordingOptionButton::setValue(bool value)
{
    checked = value;
    record(value ? QStringLiteral(".Value = True") : QStringLiteral(".Value = False"));
}

void RecordingCheckBox::setValue(Integer value)
{
    if (value != Unchecked && value != Checked && value != Grayed)
        invalidValue();
    state = value;
    record(QStringLiteral(".Value = ") + QString::number(value));
}

RecordingListBox::RecordingListBox(Recorder &recorder, QString name, const QStringList &initial)
    : Control(recorder, std::move(name))
{
    items.assign(initial);
}

void RecordingListBox::setText(const QString &text)
{
    picked = items.indexOf(text);
    record(QStringLiteral(".Text = ") + text);
}

RecordingComboBox::RecordingComboBox(Recorder &recorder, QString name, const QStringList &initial,
                                     bool sorted)
    : Control(recorder, std::move(name)), items(sorted)
{
    items.assign(initial);
}

void RecordingComboBox::setText(const QString &text)
{
    edit = text;
    picked = NoItem;
    record(QStringLiteral(".Text = ") + text);
}

void RecordingComboBox::setListIndex(Integer index)
{
    items.checkPick(index);
    picked = index;
    edit = index == NoItem ? QString() : items.at(index);
    record(QStringLiteral(".ListIndex = ") + QString::number(index));
}

void RecordingComboBox::addItem(const QString &item)
{
    added = items.add(item);
    if (picked >= added)
        ++picked;
    record(QStringLiteral(".AddItem ") + item);
}

void RecordingComboBox::type(const QString &text)
{
    edit = text;
    picked = NoItem;
}

void RecordingComboBox::pickItem(Integer index)
{
    picked = index;
    edit = items.at(index);
}

void RecordingRuntime::showMessage(const QString &prompt, const QString &title)
{
    m_recorder.messages.push_back({prompt, title});
    m_recorder.log.append(QStringLiteral("MsgBox ") + title);
}

void RecordingRuntime::End()
{
    m_recorder.ended = true;
    m_recorder.log.append(QStringLiteral("End"));
    throw ProgramEnded{};
}

} // namespace surface::recording
