// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// What keyboard and screen-reader users meet (offscreen): the names, roles and states
// assistive technology reads, a visible focus in any palette, captions that fit at any
// scale, and the whole form driven by the keyboard alone.

#include "aboutwindow.h"
#include "listwidgets.h"
#include "messagebox.h"
#include "presets.h"
#include "scriptedboxes.h"
#include "shell.h"
#include "shownwindow.h"
#include "studentwindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QtMath>

#include <functional>

using namespace Qt::StringLiterals;
using namespace testing;
using student_form::StudentWindow;
using surface::qt::ComboBoxWidget;
using surface::qt::ListBoxWidget;
using surface::qt::MessageBox;

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

// Every interface under root, depth first, root included.
void walk(QAccessibleInterface *root, const std::function<void(QAccessibleInterface *)> &visit)
{
    visit(root);
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface *child = root->child(i))
            walk(child, visit);
    }
}

QStringList childNames(QAccessibleInterface *iface)
{
    QStringList names;
    for (int i = 0; i < iface->childCount(); ++i)
        names.append(iface->child(i)->text(QAccessible::Name));
    return names;
}

// A dark desktop palette, and one of high contrast whose Base and Window differ in lightness.
QPalette darkPalette()
{
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    p.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    p.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

QPalette blackWindowWhiteFieldsPalette()
{
    QPalette p(Qt::black, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    return p;
}

// Sets the application palette for as long as it lives.
class AppPalette
{
public:
    explicit AppPalette(const QPalette &palette) : m_saved(QApplication::palette())
    {
        QApplication::setPalette(palette);
    }
    ~AppPalette() { QApplication::setPalette(m_saved); }
    AppPalette(const AppPalette &) = delete;
    AppPalette &operator=(const AppPalette &) = delete;

private:
    QPalette m_saved;
};

// A text field's caret blinks, so it proves nothing about the focus: only the field's border
// counts there.
QImage border(const QImage &image)
{
    QImage ring = image;
    const int inset = qCeil(3 * image.devicePixelRatio());
    ring.fill(Qt::transparent);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x < inset || y < inset || x >= image.width() - inset || y >= image.height() - inset)
                ring.setPixel(x, y, image.pixel(x, y));
        }
    }
    return ring;
}

QImage snapshot(QWidget *control)
{
    QImage image = control->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (qobject_cast<QLineEdit *>(control))
        return border(image);
    return image;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mainWindowNamesAndRoles_data();
    void mainWindowNamesAndRoles();
    void noAccessKeyMarkInAnyName();
    void listItemsAreReadableAndShowThePick();
    void statesFollowTheEntries();
    void textWrittenByAssistiveTechnologyCountsAsTyped();
    void messageBoxReadsAsItsPrompt_data();
    void messageBoxReadsAsItsPrompt();
    void aboutWindowNamesAndPicture();
    void focusIsVisibleOnEveryControl_data();
    void focusIsVisibleOnEveryControl();
    void coloursComeFromThePalette();
    void messageTextReadsInAnyPalette();
    void messageFitsTheThemesTextFont();
    void readableAtThisScale();
    void keyboardAlone();
};

void TestAccessibility::mainWindowNamesAndRoles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");

    const auto row = [](const QString &path, QAccessible::Role role, const QString &name) {
        QTest::newRow(qPrintable(path)) << path << role << name;
    };
    row(u"lblName"_s, QAccessible::StaticText, u"Name"_s);
    row(u"txtName"_s, QAccessible::EditableText, u"Name"_s);
    row(u"lblUnits"_s, QAccessible::StaticText, u"Units Completed"_s);
    row(u"txtUnits"_s, QAccessible::EditableText, u"Units Completed"_s);
    row(u"fraGrade"_s, QAccessible::Grouping, u"Grade Level"_s);
    row(u"optFreshman"_s, QAccessible::RadioButton, u"Freshman"_s);
    row(u"optSophomore"_s, QAccessible::RadioButton, u"Sophomore"_s);
    row(u"optJunior"_s, QAccessible::RadioButton, u"Junior"_s);
    row(u"optSenior"_s, QAccessible::RadioButton, u"Senior"_s);
    row(u"fraMajor"_s, QAccessible::Grouping, u"Major"_s);
    row(u"lstMajor"_s, QAccessible::List, u"Major"_s);
    row(u"chkDeans"_s, QAccessible::CheckBox, u"Deans List"_s);
    row(u"fraSchool"_s, QAccessible::Grouping, u"School"_s);
    row(u"cboSchool"_s, QAccessible::ComboBox, u"School"_s);
    // Named by the box only: a name of its own would be read after the box's, a second time.
    row(u"cboSchool/edit"_s, QAccessible::EditableText, QString());
    row(u"cboSchool/list"_s, QAccessible::List, u"School"_s);
    row(u"cmdPrint"_s, QAccessible::Button, u"Print"_s);
    row(u"cmdOK"_s, QAccessible::Button, u"OK"_s);
    row(u"menubar"_s, QAccessible::MenuBar, QString());
}

void TestAccessibility::mainWindowNamesAndRoles()
{
    QFETCH(QString, path);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    ShownWindow w;
    QAccessibleInterface *iface = accessible(w.c(path));
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY(!iface->state().invisible);
}

void TestAccessibility::noAccessKeyMarkInAnyName()
{
    ShownWindow w;
    shell::AboutWindow about;
    QVERIFY(exposed(about));

    QStringList names;
    for (QWidget *window : {static_cast<QWidget *>(&w.window), static_cast<QWidget *>(&about)}) {
        walk(accessible(window),
             [&](QAccessibleInterface *iface) { names.append(iface->text(QAccessible::Name)); });
    }
    // The menus, whose entries a screen reader lists too.
    for (QAction *menu : w.window.findChild<QMenuBar *>()->actions()) {
        names.append(accessible(menu->menu())->text(QAccessible::Name));
        walk(accessible(menu->menu()),
             [&](QAccessibleInterface *iface) { names.append(iface->text(QAccessible::Name)); });
    }
    for (const QString &name : names) {
        QVERIFY2(!name.contains(u'&'), qPrintable(name));
        QVERIFY2(name != u"-"_s, "the File menu's separator is read out by a name");
    }
    for (const QString &expected : {u"Quorlant"_s, u"File"_s, u"Help"_s, u"Print Schools"_s,
                                    u"Exit"_s, u"About Quorlant"_s, u"Freshman"_s, u"OK"_s})
        QVERIFY2(names.contains(expected), qPrintable(expected));
}

void TestAccessibility::listItemsAreReadableAndShowThePick()
{
    ShownWindow w;
    QAccessibleInterface *major = accessible(w.c(u"lstMajor"_s));
    QCOMPARE(childNames(major), testing::Majors);
    QAccessibleInterface *schools = accessible(w.c(u"cboSchool/list"_s));
    QCOMPARE(childNames(schools), testing::PresetSchools);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(major->child(i)->role(), QAccessible::ListItem);
        QVERIFY(!major->child(i)->state().selected);
    }

    // Walking the school list by keys keeps the focus, as assistive technology sees it, on the
    // box: an item claiming it would be announced as a move into the list. Nothing is left
    // selected in the field to be read out again when the focus leaves.
    QWidget *box = w.c(u"cboSchool"_s);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(accessible(box)->text(QAccessible::Value), u"Highland"_s);
    QVERIFY(accessible(box)->state().focused);
    for (int i = 0; i < schools->childCount(); ++i) {
        QCOMPARE(bool(schools->child(i)->state().selected), i == 1);
        QVERIFY2(!schools->child(i)->state().focused, qPrintable(childNames(schools)[i]));
    }
    QVERIFY(!w.c<QLineEdit>(u"cboSchool/edit"_s)->hasSelectedText());

    // A pick by the program shows too.
    static_cast<ListBoxWidget *>(w.c(u"lstMajor"_s))->pick(2);
    static_cast<ComboBoxWidget *>(box)->pick(3);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(bool(major->child(i)->state().selected), i == 2);
        QCOMPARE(bool(schools->child(i)->state().selected), i == 3);
    }
}

void TestAccessibility::statesFollowTheEntries()
{
    ShownWindow w;
    QAccessibleInterface *name = accessible(w.c(u"txtName"_s));
    QVERIFY(name->state().focusable);
    QVERIFY(name->state().focused);
    QVERIFY(!name->state().readOnly);
    QVERIFY(name->editableTextInterface());

    QAccessibleInterface *junior = accessible(w.c(u"optJunior"_s));
    QAccessibleInterface *deans = accessible(w.c(u"chkDeans"_s));
    QVERIFY(junior->state().checkable);
    QVERIFY(!junior->state().checked);
    QVERIFY(!deans->state().checked);
    QTest::keyClick(w.c(u"txtName"_s), 'j', Qt::AltModifier);
    QTest::keyClick(w.c(u"txtName"_s), 'd', Qt::AltModifier);
    QTRY_VERIFY(junior->state().checked);
    QTRY_VERIFY(deans->state().checked);
    QVERIFY(!accessible(w.c(u"optSenior"_s))->state().checked);

    // The combo box reads as what is in its field.
    QAccessibleInterface *school = accessible(w.c(u"cboSchool"_s));
    QCOMPARE(school->text(QAccessible::Value), QString());
    w.c(u"cboSchool"_s)->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(w.c(u"cboSchool"_s), u"Lincoln"_s);
    QCOMPARE(school->text(QAccessible::Value), u"Lincoln"_s);
    // The box itself has the focus, as a stock combo box does, so it is announced once.
    QCOMPARE(QApplication::focusWidget(), w.c(u"cboSchool"_s));
    QCOMPARE(school->text(QAccessible::Description), u"Type a school or pick one from the list"_s);
}

void TestAccessibility::textWrittenByAssistiveTechnologyCountsAsTyped()
{
    ShownWindow w;
    auto *school = static_cast<ComboBoxWidget *>(w.c(u"cboSchool"_s));
    school->pick(1);
    QCOMPARE(school->text(), u"Highland"_s);
    QAccessibleEditableTextInterface *edit =
        accessible(school->lineEdit())->editableTextInterface();
    QVERIFY(edit);
    edit->insertText(0, u"West "_s);
    QCOMPARE(school->text(), u"West Highland"_s);
    QCOMPARE(school->pickedRow(), -1);
    QVERIFY(school->listView()->selectionModel()->selectedRows().isEmpty());

    // Picking still picks, and the field then reads as the item.
    school->pick(3);
    QCOMPARE(school->pickedRow(), 3);
    QCOMPARE(accessible(school)->text(QAccessible::Value), u"West Highland"_s);
}

void TestAccessibility::messageBoxReadsAsItsPrompt_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("summary") << u"Quorlant"_s
                             << u"Student Name: Ann\r\n\r\nUnits Completed: 12\r\n"
                                u"Major: Business\r\nSchool: Midtown\r\nGrade Level: Junior\r\n"
                                u"Deans List: No\r\n"_s;
    QTest::newRow("error") << u"Error"_s << u"Please Enter Your Name"_s;
    QTest::newRow("school list") << u"School List"_s
                                 << u"By us\r\n\r\n\r\nSchool List:\r\nFranklin\r\nHighland"_s;
}

void TestAccessibility::messageBoxReadsAsItsPrompt()
{
    QFETCH(QString, title);
    QFETCH(QString, prompt);
    MessageBox box(prompt, title);
    QVERIFY(exposed(box));

    QAccessibleInterface *iface = accessible(&box);
    QCOMPARE(iface->role(), QAccessible::AlertMessage);
    QCOMPARE(iface->text(QAccessible::Name), title);
    QCOMPARE(iface->text(QAccessible::Description), prompt);

    // The text, line by line as it shows.
    QAccessibleTextInterface *text = accessible(box.textView())->textInterface();
    QVERIFY(text);
    QString shown = prompt;
    shown.replace(u"\r\n"_s, u"\n"_s);
    QCOMPARE(text->text(0, text->characterCount()), shown);
    const QStringList lines = shown.split(u'\n');
    int offset = 0;
    for (const QString &line : lines) {
        int start = -1;
        int end = -1;
        QString read = text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        read.remove(u'\n');
        QCOMPARE(read, line);
        QCOMPARE(start, offset);
        offset += line.size() + 1;
    }
    QVERIFY(accessible(box.textView())->state().readOnly);

    // OK is the button a screen reader lands on.
    QAccessibleInterface *ok = accessible(box.okButton());
    QCOMPARE(ok->text(QAccessible::Name), u"OK"_s);
    QVERIFY(ok->state().focused);
    QVERIFY(ok->state().defaultButton);
}

void TestAccessibility::aboutWindowNamesAndPicture()
{
    shell::AboutWindow about;
    QVERIFY(exposed(about));
    // A dialog, whose texts a screen reader reads out when it comes up.
    QAccessibleInterface *window = accessible(&about);
    QCOMPARE(window->role(), QAccessible::Dialog);
    QCOMPARE(window->text(QAccessible::Name), u"About Quorlant"_s);
    for (const char *name : {"Label1", "lblVersion", "lblDate", "lblAbout"}) {
        auto *label = about.findChild<QLabel *>(QLatin1StringView(name));
        QAccessibleInterface *iface = accessible(label);
        QVERIFY(window->indexOfChild(iface) >= 0);
        QCOMPARE(iface->role(), QAccessible::StaticText);
        QCOMPARE(iface->text(QAccessible::Name), label->text());
        QVERIFY(!label->text().isEmpty());
    }
    QAccessibleInterface *cmdOK = accessible(about.findChild<QPushButton *>(u"cmdOK"_s));
    QCOMPARE(cmdOK->text(QAccessible::Name), u"OK"_s);
    QVERIFY(cmdOK->state().focused);

    auto *books = about.findChild<QLabel *>(u"imgBooks"_s);
    QAccessibleInterface *picture = accessible(books);
    QCOMPARE(picture->role(), QAccessible::Graphic);
    QCOMPARE(picture->text(QAccessible::Name), u"Books"_s);
    QVERIFY(picture->text(QAccessible::Description).contains(u"book spines"_s));
    QVERIFY(picture->imageInterface());
    // Stretched from the larger of the picture's two images, whatever the scale.
    QCOMPARE(books->pixmap().size(), QSize(32, 32));
}

void TestAccessibility::focusIsVisibleOnEveryControl_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("default palette") << QApplication::palette();
    QTest::newRow("dark palette") << darkPalette();
    QTest::newRow("black window, white fields") << blackWindowWhiteFieldsPalette();
}

// Tab reaches every stop in turn; each looks different with the focus than without it.
void TestAccessibility::focusIsVisibleOnEveryControl()
{
    QFETCH(QPalette, palette);
    AppPalette colours(palette);
    ShownWindow w;
    // A list cleared after a pick has no current row: its focus must show all the same.
    static_cast<ListBoxWidget *>(w.c(u"lstMajor"_s))->pick(1);
    QTest::keyClick(w.c(u"txtName"_s), Qt::Key_Escape);

    const QStringList stops = {u"txtName"_s,  u"txtUnits"_s,  u"optFreshman"_s, u"lstMajor"_s,
                               u"chkDeans"_s, u"cboSchool"_s, u"cmdPrint"_s,    u"cmdOK"_s};
    w.c(u"cmdOK"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (const QString &stop : stops) {
        QWidget *control = w.c(stop);
        QCOMPARE(QApplication::focusWidget(), control);
        const QImage focused = snapshot(control);
        QTest::keyClick(control, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != control);
        const QImage unfocused = snapshot(control);
        QVERIFY2(focused != unfocused, qPrintable(stop + u" shows no focus"_s));
    }

    // Within the grade group the arrows move a visible focus too.
    QWidget *freshman = w.c(u"optFreshman"_s);
    QWidget *sophomore = w.c(u"optSophomore"_s);
    freshman->setFocus(Qt::TabFocusReason);
    const QImage before = snapshot(sophomore);
    QTest::keyClick(freshman, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), sophomore);
    QVERIFY(snapshot(sophomore) != before);
}

// Nothing in the windows sets a colour or a style sheet of its own: a dark or high-contrast
// desktop palette reaches every control.
void TestAccessibility::coloursComeFromThePalette()
{
    const QPalette dark = darkPalette();
    AppPalette colours(dark);
    QVERIFY(qApp->styleSheet().isEmpty());
    ShownWindow w;
    shell::AboutWindow about;
    QVERIFY(exposed(about));

    const QList<QPalette::ColorRole> roles = {
        QPalette::Window, QPalette::WindowText, QPalette::Base,      QPalette::Text,
        QPalette::Button, QPalette::ButtonText, QPalette::Highlight, QPalette::HighlightedText};
    int checked = 0;
    for (QWidget *window : {static_cast<QWidget *>(&w.window), static_cast<QWidget *>(&about)}) {
        QList<QWidget *> all = window->findChildren<QWidget *>();
        all.prepend(window);
        for (QWidget *widget : all) {
            QVERIFY2(widget->styleSheet().isEmpty(), qPrintable(widget->objectName()));
            for (QPalette::ColorRole role : roles) {
                QVERIFY2(widget->palette().color(QPalette::Active, role) ==
                             dark.color(QPalette::Active, role),
                         qPrintable(u"%1, role %2"_s.arg(widget->objectName()).arg(role)));
            }
            ++checked;
        }
    }
    QVERIFY(checked > 20);
}

void TestAccessibility::messageTextReadsInAnyPalette()
{
    const QPalette contrasty = blackWindowWhiteFieldsPalette();
    AppPalette colours(contrasty);
    MessageBox box(u"WWWWWWWW\r\nMMMMMMMM"_s, u"Quorlant"_s);
    QVERIFY(exposed(box));
    const QImage image = box.textView()->grab().toImage();
    const QRgb ground = image.pixel(image.width() - 1, image.height() - 1);
    QCOMPARE(qGray(ground), 0);
    int best = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            best = qMax(best, qAbs(qGray(image.pixel(x, y)) - qGray(ground)));
    }
    QVERIFY2(best > 200, qPrintable(u"text contrast only %1"_s.arg(best)));

    // The palette changing under an open box is followed too.
    AppPalette light(QPalette(Qt::white, Qt::white));
    QTRY_COMPARE(
        qGray(box.textView()->grab().toImage().pixel(image.width() - 1, image.height() - 1)), 255);
}

// A desktop theme may give text views a font of their own, larger than the window's.
void TestAccessibility::messageFitsTheThemesTextFont()
{
    const QFont saved = QApplication::font("QPlainTextEdit");
    QFont large = QApplication::font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    QApplication::setFont(large, "QPlainTextEdit");
    const QString prompt = u"Compiled by the student records desk\r\n\r\n\r\nSchool List:\r\n"
                           u"Franklin\r\nHighland\r\nMidtown\r\nWest Highland"_s;
    {
        MessageBox box(prompt, u"School List"_s);
        QVERIFY(exposed(box));
        QPlainTextEdit *text = box.textView();
        QCOMPARE(text->font().pointSizeF(), large.pointSizeF());
        // Every line on one line of its own, and nothing to scroll to.
        QCOMPARE(text->document()->lineCount(), 8);
        QCOMPARE(text->verticalScrollBar()->maximum(), 0);
    }
    QApplication::setFont(saved, "QPlainTextEdit");
}

// Run at 100 %, 150 % and 200 % (QT_SCALE_FACTOR): the About window's texts all show, and
// the program icon is drawn from its 32-pixel image wherever 16 pixels would be blown up.
// The main window's captions are checked by its own test, run at the same scales.
void TestAccessibility::readableAtThisScale()
{
    shell::AboutWindow about;
    QVERIFY(exposed(about));
    for (const char *name : {"Label1", "lblVersion", "lblDate", "lblAbout"}) {
        auto *label = about.findChild<QLabel *>(QLatin1StringView(name));
        const QFontMetrics metrics(label->font());
        const QStringList lines = label->text().split(QRegularExpression(u"\r?\n"_s));
        for (const QString &line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= label->width(), qPrintable(line));
        QVERIFY2(lines.size() * metrics.height() <= label->height(), name);
    }
    auto *ok = about.findChild<QPushButton *>(u"cmdOK"_s);
    QVERIFY(QFontMetrics(ok->font()).horizontalAdvance(u"OK"_s) < ok->width());

    const QImage large(u":/icons/tessaly-32.png"_s);
    const QImage small(u":/icons/tessaly-16.png"_s);
    const qreal ratio = about.devicePixelRatio();
    shell::setProgramIdentity();
    const QIcon icon = QApplication::windowIcon();
    for (int side : {16, 32}) {
        const int wanted = qCeil(side * ratio);
        const QImage expected = wanted <= 16   ? small
                                : wanted >= 32 ? large
                                               : QPixmap::fromImage(large)
                                                     .scaled(wanted, wanted, Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation)
                                                     .toImage();
        const QImage drawn = icon.pixmap(QSize(side, side), ratio).toImage();
        QVERIFY2(drawn.convertToFormat(QImage::Format_ARGB32) ==
                     expected.convertToFormat(QImage::Format_ARGB32),
                 qPrintable(u"%1 px at %2"_s.arg(side).arg(ratio)));
    }
}

// Filled in, printed and cleared: keys only, from start-up.
void TestAccessibility::keyboardAlone()
{
    ScriptedBoxes boxes;
    ShownWindow w;
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget *popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), k, m);
    };
    const auto type = [](const QString &text) {
        QTest::keyClicks(QApplication::focusWidget(), text);
    };

    type(u"Ann"_s);
    key(Qt::Key_Tab);
    type(u"30"_s);
    key(Qt::Key_Tab); // the grade group, at Freshman
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Space); // Junior
    key(Qt::Key_Tab);   // the major list, its first row current
    key(Qt::Key_Space);
    key(Qt::Key_Down); // Business
    key(Qt::Key_Tab);
    key(Qt::Key_Space); // the deans box
    key(Qt::Key_Tab);
    key(Qt::Key_Down);
    key(Qt::Key_Down); // Highland
    key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.c(u"cmdPrint"_s));
    key(Qt::Key_Space);
    QCOMPARE(boxes.shown.size(), 1u);
    QCOMPARE(boxes.shown[0], (ShownBox{u"Quorlant"_s, u"Student Name: Ann\r\n\r\n"
                                                      u"Units Completed: 30\r\n"
                                                      u"Major: Business\r\n"
                                                      u"School: Highland\r\n"
                                                      u"Grade Level: Junior\r\n"
                                                      u"Deans List: Yes"_s}));

    key(Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), w.c(u"txtName"_s));
    QVERIFY(static_cast<QLineEdit *>(w.c(u"txtUnits"_s))->text().isEmpty());
    QCOMPARE(static_cast<ListBoxWidget *>(w.c(u"lstMajor"_s))->pickedRow(), -1);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
