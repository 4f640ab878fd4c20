// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The operations the event procedures are written against. Nothing in here knows about
// widgets: the Qt binding (surface/qt) and the recording double of the tests both implement
// these interfaces, so every procedure can run without a display.

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace surface {

// Indices and counts of the controls are 16-bit signed, -1 meaning "no item".
using Integer = std::int16_t;
inline constexpr Integer NoItem = -1;

// Check box values.
inline constexpr Integer Unchecked = 0;
inline constexpr Integer Checked = 1;
inline constexpr Integer Grayed = 2;

// MsgBox buttons value: one OK button, no icon.
inline constexpr Integer OkOnly = 0;

// What an operation can refuse to do.
enum class ErrorKind {
    ListFull,        // a list already holds the most items it can
    IndexOutOfRange, // no item, or no element, has that index
    InvalidValue,    // the value is not one the property or service takes
};

// Raised by an operation that cannot do what it was asked. It stops the running event
// procedure; what() is shown to the user and the program goes on.
class Error : public std::runtime_error
{
public:
    explicit Error(ErrorKind kind);
    ErrorKind kind() const { return m_kind; }

private:
    ErrorKind m_kind;
};

// Thrown by End() so that nothing after it in the procedure runs. The binding swallows it.
struct ProgramEnded
{};

class Focusable
{
public:
    virtual ~Focusable() = default;
    virtual void setFocus() = 0;
};

class Window
{
public:
    virtual ~Window() = default;
    // Modal: returns once the window is hidden, the other windows taking no input meanwhile.
    virtual void show(bool modal) = 0;
    virtual void hide() = 0;
};

class TextBox : public Focusable
{
public:
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

class Label
{
public:
    virtual ~Label() = default;
    virtual void setCaption(const QString &caption) = 0;
};

class OptionButton : public Focusable
{
public:
    virtual bool value() const = 0;
    // Writing false leaves the other buttons of the group alone, so a whole group can be false.
    virtual void setValue(bool value) = 0;
};

class CheckBox : public Focusable
{
public:
    virtual Integer value() const = 0;
    virtual void setValue(Integer value) = 0;
};

class ListBox : public Focusable
{
public:
    virtual Integer listIndex() const = 0;
    virtual QString list(Integer index) const = 0;
    // Writing a text no item carries (the program only ever writes "") selects nothing.
    virtual void setText(const QString &text) = 0;
};

class ComboBox : public Focusable
{
public:
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    // -1 whenever the edit text was typed or cleared rather than picked from the list.
    virtual Integer listIndex() const = 0;
    virtual void setListIndex(Integer index) = 0;
    virtual Integer listCount() const = 0;
    virtual QString list(Integer index) const = 0;
    // Appends, or in a sorted list inserts at the sorted place; newIndex() tells where.
    virtual void addItem(const QString &item) = 0;
    virtual Integer newIndex() const = 0;
};

// The run-time services that are not properties of a control.
class Runtime
{
public:
    // Shows a modal message box and returns once it is dismissed. OkOnly is the one buttons
    // value there is; any other raises InvalidValue, whatever stands behind the surface.
    void MsgBox(const QString &prompt, Integer buttons, const QString &title);
    // Ends the program at once; never returns.
    [[noreturn]] virtual void End() = 0;

    virtual ~Runtime() = default;

protected:
    virtual void showMessage(const QString &prompt, const QString &title) = 0;
};

// The number a text begins with, 0 when it begins with none. See val.cpp for the exact rules.
double Val(QStringView text);

// CR LF, the line break of every multi-line message.
inline const QString CrLf = QStringLiteral("\r\n");

} // namespace surface
