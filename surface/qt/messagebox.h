// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QBasicTimer>
#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace surface::qt {

// The message box behind MsgBox: modal, one OK button, no icon.
//
// The prompt is always plain text, shown as given: markup in a name shows as typed. CR LF
// starts a new line and empty lines show. The box grows with its text up to the screen's
// available area, and past that the text scrolls inside it with OK still on screen. Enter,
// Space and Esc dismiss it. Ctrl+C copies the selected text, or else all of it, lines ending
// in LF. Of a longer text, the view holds the first 1,024 lines (more than any screen shows)
// when the box is first drawn, and the rest arrives over the next few frames; End, a click on
// the text or its scroll bar, and the text's menu bring the rest at once.
//
// Assistive technology sees an alert named by the title, its description the whole prompt,
// and in it the text, read line by line, and the OK button. The text is drawn in the
// window's text colour on the window's background, whatever the palette.
class MessageBox : public QDialog
{
    Q_OBJECT
public:
    MessageBox(const QString &prompt, const QString &title, QWidget *parent = nullptr);

    QString prompt() const { return m_prompt; }
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
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void fitToText(const QString &shown);
    void followPalette();
    // Hands the view the next count lines of the text, or what is left of them.
    void placeLines(qsizetype count);

    QString m_prompt;
    // The text as shown, while it is being placed: the view holds its first m_placed
    // characters. Empty once all of it is there.
    QString m_shown;
    qsizetype m_placed = 0;
    QBasicTimer m_placing;
    QPlainTextEdit *const m_text;
    QPushButton *const m_ok;
};

} // namespace surface::qt
