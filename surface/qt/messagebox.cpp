// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "messagebox.h"

#include "windowbehaviour.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <QWindow>
#include <QtMath>

#include <algorithm>

namespace surface::qt {

namespace {

MessageBox::Script script;

// Lines as the user reads them: CR LF, a lone CR, a lone LF, and Unicode's line and
// paragraph separators each end one.
QString displayText(const QString &prompt)
{
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    // A NUL would end the text early for some consumers of it; show it as the replacement mark.
    text.replace(QChar(0), QChar(QChar::ReplacementCharacter));
    return text;
}

QAccessibleInterface *messageBoxAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1StringView(MessageBox::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<MessageBox *>(object), QAccessible::AlertMessage);
}

} // namespace

MessageBox::MessageBox(const QString &prompt, const QString &title, QWidget *parent)
    : QDialog(parent), m_shown(displayText(prompt)), m_text(new QPlainTextEdit(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(messageBoxAccessible), true);
    setObjectName(QStringLiteral("msgBox"));
    setWindowTitle(title);
    // A NUL cannot travel to a screen reader; it reads as it shows.
    QString description = prompt;
    setAccessibleDescription(description.replace(QChar(0), QChar(QChar::ReplacementCharacter)));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);

    // A read-only plain-text view lays out only what is on screen, so even the longest report
    // opens at once; with no frame and the window's colours it reads as a message box's label.
    m_text->setObjectName(QStringLiteral("prompt"));
    m_text->setReadOnly(true);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setFocusPolicy(Qt::NoFocus); // Space must reach OK
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap instead
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text->viewport()->setAutoFillBackground(false);
    m_text->setBackgroundRole(QPalette::Window);
    followPalette();
    m_text->document()->setDocumentMargin(0);
    m_text->document()->setUndoRedoEnabled(false);
    m_text->setPlainText(m_shown);
    m_text->setAccessibleName(title);

    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin) * 2;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    m_ok->setFocus();

    fitToScreen();
}

void MessageBox::fitToScreen()
{
    // A desktop theme's font for text views reaches the view only when it is polished;
    // measured before that, a larger theme font would wrap the text and cut it off.
    m_text->ensurePolished();
    m_fittedTo = screen();
    const QFontMetrics metrics(m_text->font());
    const int lineSpacing = std::max(1, qCeil(QFontMetricsF(m_text->font()).lineSpacing()));
    const QMargins margins = layout()->contentsMargins();
    const int chromeWidth = margins.left() + margins.right();
    const int chromeHeight =
        margins.top() + margins.bottom() + layout()->spacing() + m_ok->sizeHint().height();
    // The screen's area bounds the box, with room left for the window frame. A scale factor
    // can make that area absurd or even negative; the box still gets a real size.
    QSize available = screen() ? screen()->availableGeometry().size() : QSize();
    if (available.isEmpty())
        available = QSize(640, 480);
    const int maxWidth = std::max(lineSpacing, available.width() * 3 / 4 - chromeWidth);
    const int maxHeight = std::max(lineSpacing, available.height() - 2 * chromeHeight - 40);
    const int minWidth = std::min(maxWidth, metrics.horizontalAdvance(QLatin1Char('x')) * 24);

    // A text that can show whole is measured line by line, wrapped lines counted; one taller
    // than the screen scrolls in the widest box there is room for, so it needs no measuring.
    const qsizetype lines = m_shown.count(QLatin1Char('\n')) + 1;
    int width = maxWidth;
    qint64 height = qint64(lines) * lineSpacing + 4;
    bool wraps = false;
    if (height <= maxHeight) {
        int widest = 0;
        qsizetype rows = 0;
        for (const QStringView line : QStringView(m_shown).tokenize(QLatin1Char('\n'))) {
            const int lineWidth = metrics.horizontalAdvance(line.toString()) + 4;
            widest = std::max(widest, lineWidth);
            rows += lineWidth / (maxWidth + 1) + 1;
        }
        width = std::clamp(widest, minWidth, maxWidth);
        wraps = widest > maxWidth;
        height = qint64(rows) * lineSpacing + 4;
    }
    const bool scrolls = height > maxHeight;
    if (scrolls) {
        height = maxHeight;
        width += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    }
    // A text sized to show whole needs no scroll bar; one left over from the first layout
    // would narrow the text so that its widest line wrapped and the last line was cut off.
    m_text->setVerticalScrollBarPolicy(wraps || scrolls ? Qt::ScrollBarAsNeeded
                                                        : Qt::ScrollBarAlwaysOff);
    m_text->setFixedSize(width, static_cast<int>(height));
    setFixedSize(sizeHint().boundedTo(available));

    // A box already up stays wholly on the screen, OK included.
    if (isVisible() && screen()) {
        const QRect area = screen()->availableGeometry();
        const QRect frame = frameGeometry();
        move(
            std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() - frame.width())),
            std::clamp(frame.y(), area.top(),
                       std::max(area.top(), area.bottom() - frame.height())));
    }
}

void MessageBox::followScreen(QScreen *screen)
{
    disconnect(m_screenArea);
    if (screen)
        m_screenArea =
            connect(screen, &QScreen::availableGeometryChanged, this, &MessageBox::fitToScreen);
    // Fitted already when it was made, most often for this very screen.
    if (screen != m_fittedTo)
        fitToScreen();
}

// The text view draws its Text colour, meant for the Base background, on the window's
// background here; a palette where those differ (high contrast) would hide the prompt.
void MessageBox::followPalette()
{
    QPalette colours = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Text, colours.color(group, QPalette::WindowText));
        colours.setColor(group, QPalette::Base, colours.color(group, QPalette::Window));
    }
    m_text->setPalette(colours);
}

void MessageBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    QDialog::changeEvent(event);
}

void MessageBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_screenArea) {
        connect(windowHandle(), &QWindow::screenChanged, this, &MessageBox::followScreen);
        followScreen(windowHandle()->screen());
    }
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void MessageBox::keyPressEvent(QKeyEvent *event)
{
    // Nothing is printed or stored, so the text on screen is all the user has: Ctrl+C copies
    // what is selected of it, or else all of it, as shown.
    if (event->matches(QKeySequence::Copy)) {
        const QTextCursor selection = m_text->textCursor();
        QGuiApplication::clipboard()->setText(
            selection.hasSelection() ? selection.selection().toPlainText() : m_shown);
        return;
    }
    // The text never takes the focus, so the keys that scroll it go to its scroll bar.
    constexpr int ScrollKeys[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                  Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    if (std::ranges::find(ScrollKeys, event->key()) != std::end(ScrollKeys))
        QCoreApplication::sendEvent(m_text->verticalScrollBar(), event);
    else
        QDialog::keyPressEvent(event);
}

void MessageBox::present(const QString &prompt, const QString &title, QWidget *parent)
{
    if (script) {
        script(title, prompt);
        return;
    }
    const QPointer<QWidget> before = QApplication::activeWindow();
    {
        MessageBox box(prompt, title, parent);
        box.exec();
    } // gone before the focus is asked back, so that it cannot still hold it
    reactivate(before);
}

void MessageBox::setScript(Script newScript)
{
    script = std::move(newScript);
}

} // namespace surface::qt
