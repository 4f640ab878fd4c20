// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "messagebox.h"

#include "windowframe.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTimerEvent>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace surface::qt {

namespace {

// The view builds a block for every line, which for tens of thousands of lines takes longer
// than anyone should wait for a box (a stock view given a 32,767-school report at once shows it
// after 90 to 110 ms; in batches, after 6 to 12). It gets them in batches of this many: more
// than fill any screen, few enough that a batch is a fraction of a frame.
constexpr qsizetype LinesPerBatch = 1024;
// After the first batch, each turn of the event loop places batches until half a frame has
// passed; with the batch that crosses that mark, a turn stays within about a frame, so the
// box keeps drawing and answering while the rest arrives. Fewer, longer turns cost less in
// all: the view repaints after every one.
constexpr qint64 TurnBudgetMs = 8;

// Where the nth line break at or after from is, or the text's end if it has fewer.
qsizetype nthLineBreak(QStringView text, qsizetype from, qsizetype nth)
{
    qsizetype at = from - 1;
    for (qsizetype found = 0; found < nth; ++found) {
        at = text.indexOf(QLatin1Char('\n'), at + 1);
        if (at < 0)
            return text.size();
    }
    return at;
}

MessageBox::Script &script()
{
    static MessageBox::Script current;
    return current;
}

// Lines as the user reads them: CR LF, a lone CR, a lone LF, and Unicode's line and
// paragraph separators each end one. The view would break at the last two anyway; as LF they
// are also counted when the box is sized.
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
    : QDialog(parent), m_prompt(prompt), m_text(new QPlainTextEdit(this)),
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

    // A read-only plain-text view lays out only what is on screen, and a long text reaches it
    // in batches (placeLines), so a box of tens of thousands of lines opens at once; with no
    // frame and the window's colours it reads as the label of an ordinary message box.
    m_text->setObjectName(QStringLiteral("prompt"));
    m_text->setReadOnly(true);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Lines wrap at the view's width, so there is never anything to scroll sideways to.
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text->viewport()->setAutoFillBackground(false);
    m_text->setBackgroundRole(QPalette::Window);
    followPalette();
    m_text->document()->setDocumentMargin(0);
    // Nobody edits the text, and an undo history would keep a copy of every batch placed.
    m_text->document()->setUndoRedoEnabled(false);
    const QString shown = displayText(prompt);
    const qsizetype firstBatch = nthLineBreak(shown, 0, LinesPerBatch);
    m_text->setPlainText(shown.first(firstBatch));
    if (firstBatch < shown.size()) {
        m_shown = shown;
        m_placed = firstBatch;
        // Watched only while there is more to place (see eventFilter).
        m_text->viewport()->installEventFilter(this);
        m_text->verticalScrollBar()->installEventFilter(this);
    }
    m_text->setAccessibleName(title);

    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
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

    fitToText(shown);
}

void MessageBox::fitToText(const QString &shown)
{
    // A desktop theme's font for text views reaches the view only when it is polished;
    // measured before that, a larger theme font would wrap the text and cut it off.
    m_text->ensurePolished();
    const QFontMetrics metrics(m_text->font());
    const QScreen *screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);

    // Measure every line once: a single pass, no layout of the whole document. Shaping is
    // the cost, so a line that cannot be wider than the widest so far is not measured: one
    // of Latin-1 characters only, all from the view's own font, no wider than its widest glyph
    // each. That keeps a 32,767-school list quick; other scripts are always measured.
    // The lines are read from the text as given rather than from the view's document, which
    // would copy each one out of its blocks.
    const int widestGlyph = std::max(1, metrics.maxWidth());
    int widest = 0;
    int lines = 0;
    for (const QStringView line : QStringView(shown).tokenize(QLatin1Char('\n'))) {
        ++lines;
        if (line.size() * qsizetype(widestGlyph) <= widest &&
            std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() < 0x100; }))
            continue;
        widest = std::max(widest, metrics.horizontalAdvance(line.toString()));
    }
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QMargins margins = layout()->contentsMargins();
    const int chromeWidth = margins.left() + margins.right();
    const int chromeHeight =
        margins.top() + margins.bottom() + layout()->spacing() + m_ok->sizeHint().height();
    // Leave room for the window frame the window manager adds.
    const int maxWidth = available.width() * 3 / 4 - chromeWidth;
    const int maxHeight = available.height() - 2 * chromeHeight - 40;

    int width = std::clamp(widest + 4, metrics.horizontalAdvance(QLatin1Char('x')) * 24, maxWidth);
    // Each line takes its spacing rounded up to whole pixels; rounded down, the last line of
    // a font with a fractional spacing would not fit.
    const int lineSpacing = qCeil(QFontMetricsF(m_text->font()).lineSpacing());
    int height = lines * lineSpacing + 4;
    const bool wraps = widest + 4 > maxWidth;
    if (wraps)
        height += lineSpacing * ((widest + 4) / maxWidth); // wrapped lines
    const bool scrolls = height > maxHeight;
    if (scrolls) {
        height = maxHeight;
        width = std::min(width + scrollBar, maxWidth + scrollBar);
    }
    // A text sized to show whole needs no scroll bar. One left over from the first layout,
    // made at the view's default width, would narrow the text so that its widest line
    // wrapped, which in turn kept the scroll bar: the last line was cut off.
    m_text->setVerticalScrollBarPolicy(wraps || scrolls ? Qt::ScrollBarAsNeeded
                                                        : Qt::ScrollBarAlwaysOff);
    m_text->setMinimumSize(width, height);
    m_text->setMaximumHeight(height);
    adjustSize();
    setFixedSize(sizeHint());
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

void MessageBox::placeLines(qsizetype count)
{
    if (m_shown.isEmpty())
        return;
    // Each batch starts at the line break the one before stopped at, and takes as many more
    // lines as it has breaks.
    const qsizetype end = nthLineBreak(m_shown, m_placed + 1, count);
    // Appended where the view's cursor is not, so the view stays where the user has it.
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(m_shown.sliced(m_placed, end - m_placed));
    m_placed = end;
    if (m_placed == m_shown.size()) {
        m_placing.stop();
        m_shown.clear();
        m_placed = 0;
        m_text->viewport()->removeEventFilter(this);
        m_text->verticalScrollBar()->removeEventFilter(this);
    }
}

void MessageBox::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_placing.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    QElapsedTimer turn;
    turn.start();
    do
        placeLines(LinesPerBatch);
    while (!m_shown.isEmpty() && turn.elapsed() < TurnBudgetMs);
}

bool MessageBox::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        // The rest follows once the first screenful is being drawn, so that comes first.
        if (watched == m_text->viewport() && !m_placing.isActive())
            m_placing.start(0, this);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::ContextMenu:
        // A click on the text or its scroll bar may select to the end, open the menu with
        // Select All and Copy, or drag to the bottom: each needs the whole text in place.
        placeLines(std::numeric_limits<qsizetype>::max());
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void MessageBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
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
            selection.hasSelection() ? selection.selection().toPlainText() : displayText(m_prompt));
        return;
    }
    // The text never takes the focus (Space must dismiss), so the keys that scroll a long
    // text are passed to it from here.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: {
        QScrollBar *bar = m_text->verticalScrollBar();
        const int step = bar->singleStep();
        const int page = bar->pageStep();
        const int delta = event->key() == Qt::Key_Up       ? -step
                          : event->key() == Qt::Key_Down   ? step
                          : event->key() == Qt::Key_PageUp ? -page
                                                           : page;
        if (event->key() == Qt::Key_Home) {
            bar->setValue(bar->minimum());
        } else if (event->key() == Qt::Key_End) {
            placeLines(std::numeric_limits<qsizetype>::max());
            bar->setValue(bar->maximum());
        } else {
            bar->setValue(bar->value() + delta);
        }
        return;
    }
    default:
        QDialog::keyPressEvent(event);
    }
}

void MessageBox::present(const QString &prompt, const QString &title, QWidget *parent)
{
    if (script()) {
        script()(title, prompt);
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
    script() = std::move(newScript);
}

} // namespace surface::qt
