// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class QPlainTextEdit;
class QPushButton;
class QScreen;

namespace surface::qt {

// The message box behind MsgBox: modal, one OK button, no icon.
//
// The prompt is plain text, shown as given: markup in a name shows as typed. CR LF, a lone CR
// or LF, and Unicode's line and paragraph separators each start a line; empty lines show. The
// box fits its text within the available area of the screen it is on, and is fitted again
// when that area changes; a text taller than that scrolls inside the box, with OK on screen.
// Enter, Space and Esc dismiss it; the arrow keys, PageUp, PageDown, Home and End scroll;
// Ctrl+C copies the selected text, or else all of it, lines ending in LF.
//
// Assistive technology sees an alert named by the title, its description the whole prompt,
// and in it the text and the OK button. The text takes the window's colours, whatever the
// palette.
class MessageBox : public QDialog
{
    Q_OBJECT
public:
    MessageBox(const QString &prompt, const QString &title, QWidget *parent = nullptr);

    QPlainTextEdit *textView() const { return m_text; }
    QPushButton *okButton() const { return m_ok; }

    // Shows a box and returns once it is dismissed, unless a script is set (see below).
    static void present(const QString &prompt, const QString &title, QWidget *parent);

    // The seam for tests of the event procedures on real widgets: while a script is set,
    // present() hands it the title and prompt and returns at once, showing nothing.
    using Script = std::function<void(const QString &title, const QString &prompt)>;
    static void setScript(Script script);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fitToScreen();
    void followScreen(QScreen *screen);
    void followPalette();

    const QString m_shown; // the prompt with each of its line breaks as one LF
    QPlainTextEdit *const m_text;
    QPushButton *const m_ok;
    QMetaObject::Connection m_screenArea;
    QPointer<QScreen> m_fittedTo; // the screen the box was last fitted to
};

} // namespace surface::qt
