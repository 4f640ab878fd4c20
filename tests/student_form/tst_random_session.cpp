// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// A long random session of the whole program on real widgets (offscreen), checked after every
// action against a model of what the user should see.
//
// The model below is written from what the window promises its user, not from the program's
// code: it keeps its own texts, its own idea of "the number the units begin with" and its own
// alphabetical order. The actions are drawn from the model alone, so a seed always replays
// the same session:
//
//     TESSALY_SEED=<n> ctest -R tst_random_session --output-on-failure

#include "aboutwindow.h"
#include "listwidgets.h"
#include "modalwindow.h"
#include "presets.h"
#include "scriptedboxes.h"
#include "shell.h"
#include "shownwindow.h"
#include "studentwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <array>
#include <cstdlib>
#include <deque>
#include <optional>
#include <random>
#include <string>

using namespace Qt::StringLiterals;
using testing::ScriptedBoxes;
using testing::ShownBox;

namespace {

constexpr int ActionsPerSeed = 1500;
constexpr std::uint32_t DefaultSeeds[] = {20240611u, 1u, 77u, 4242u};

const QString CrLf = u"\r\n"_s;
using testing::Majors;
using testing::PresetSchools;
const std::array<QString, 4> Grades = {u"Freshman"_s, u"Sophomore"_s, u"Junior"_s, u"Senior"_s};
const std::array<QString, 4> GradeButtons = {u"optFreshman"_s, u"optSophomore"_s, u"optJunior"_s,
                                             u"optSenior"_s};
// The access key of each grade, as its caption underlines it. Alt+H is also the Help menu's;
// the window gives it to the grade, which is entered on every record.
const std::array<char, 4> GradeKeys = {'e', 'h', 'j', 's'};

// ---------------------------------------------------------------------------------------------
// The model

// The number a text begins with: blanks, a sign, digits with at most one point, and an
// exponent only when digits follow the 'e'. Anything after that is ignored.
double leadingNumber(const QString &text)
{
    static const QRegularExpression number(
        u"^\\s*([+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?)"_s);
    return std::strtod(number.match(text).captured(1).toStdString().c_str(), nullptr);
}

// How a reader alphabetises: case and accents do not count, and the marks a name may hold
// file before every letter, in the order space, hyphen, full stop, apostrophe. The session
// types only Latin-1, so the accented letters and the marks it uses are spelled out here.
QString readersKey(const QString &text)
{
    static const QString accented = u"ÀÁÂÃÄÅàáâãäåÇçÈÉÊËèéêëÌÍÎÏìíîïÑñÒÓÔÕÖòóôõöÙÚÛÜùúûüÝýÿ"_s;
    static const QString plain = u"aaaaaaaaaaaacceeeeeeeeiiiiiiiinnoooooooooouuuuuuuuyyy"_s;
    static const QString marks = u" -.'"_s;
    QString key;
    for (const QChar c : text) {
        if (const qsizetype mark = marks.indexOf(c); mark >= 0) {
            key += QChar(char16_t(1 + mark)); // below every letter
            continue;
        }
        const qsizetype at = accented.indexOf(c);
        key += at >= 0 ? plain[at] : c.toLower();
    }
    return key;
}

struct Model
{
    QString name;
    QString units;
    int grade = -1;
    bool deans = false;
    int major = -1;
    QString schoolText;
    int schoolPicked = -1;
    QStringList schools = PresetSchools;
    QString focus = u"txtName"_s;
    // The report's first line is the program's own wording: learned from the first report,
    // then held to.
    std::optional<QString> credit;

    // Where the school just added by Print may stand: anywhere among the items that read the
    // same to a reader, which the program may order as it likes.
    struct Insertion
    {
        int first;
        int last;
    };
    std::optional<Insertion> lastInsertion;

    std::vector<ShownBox> expected;
    // How often each outcome came up, so that a session that never got deep can be told.
    QMap<QString, int> reached;

    void error(const QString &prompt, const QString &focusTo)
    {
        ++reached[prompt];
        expected.push_back({u"Error"_s, prompt});
        if (!focusTo.isEmpty())
            focus = focusTo;
    }

    void print()
    {
        if (name.isEmpty())
            return error(u"Please Enter Your Name"_s, u"txtName"_s);
        if (!(leadingNumber(units) > 0.0))
            return error(u"Enter Number of Units"_s, u"txtUnits"_s);
        if (major < 0)
            return error(u"Please Enter Your Major"_s, u"lstMajor"_s);
        if (schoolText.isEmpty())
            return error(u"Please Enter Your School"_s, u"cboSchool"_s);
        if (grade < 0)
            return error(u"Grade Level Not Selected"_s, QString());

        if (schoolPicked < 0) {
            const QString key = readersKey(schoolText);
            int first = 0;
            while (first < schools.size() && readersKey(schools[first]) < key)
                ++first;
            int last = first;
            while (last < schools.size() && readersKey(schools[last]) == key)
                ++last;
            ++reached[last > first ? u"typed school read like a listed one"_s
                                   : u"typed school added"_s];
            schools.insert(first, schoolText);
            schoolPicked = first;
            lastInsertion = Insertion{first, last};
        }
        QString summary = u"Student Name: "_s + name + CrLf + CrLf;
        summary += u"Units Completed: "_s + units + CrLf;
        summary += u"Major: "_s + Majors[major] + CrLf;
        summary += u"School: "_s + schools[schoolPicked] + CrLf;
        summary += u"Grade Level: "_s + Grades[static_cast<std::size_t>(grade)] + CrLf;
        summary += deans ? u"Deans List: Yes"_s : u"Deans List: No\r\n"_s;
        ++reached[deans ? u"summary on the deans list"_s : u"summary off the deans list"_s];
        expected.push_back({u"Quorlant"_s, summary});
    }

    void clear()
    {
        ++reached[u"clear"_s];
        name.clear();
        units.clear();
        grade = -1;
        deans = false;
        major = -1;
        schoolText.clear();
        schoolPicked = -1;
        focus = u"txtName"_s;
    }

    void printSchools(const QString &credit)
    {
        QString prompt = credit + CrLf + CrLf + CrLf + u"School List:"_s;
        for (const QString &school : schools)
            prompt += CrLf + school;
        ++reached[u"school list"_s];
        expected.push_back({u"School List"_s, prompt});
    }

    void pickSchool(int row)
    {
        schoolPicked = row;
        schoolText = schools[row];
        focus = u"cboSchool"_s;
    }

    // Tab and Shift+Tab: the grade group is one stop, entered at the chosen grade.
    void tab(bool forward)
    {
        static const QStringList stops = {u"txtName"_s,  u"txtUnits"_s, u"grade"_s,
                                          u"lstMajor"_s, u"chkDeans"_s, u"cboSchool"_s,
                                          u"cmdPrint"_s, u"cmdOK"_s};
        qsizetype at = stops.indexOf(focus.startsWith(u"opt"_s) ? u"grade"_s : focus);
        at = (at + (forward ? 1 : stops.size() - 1)) % stops.size();
        focus = stops[at] == u"grade" ? GradeButtons[static_cast<std::size_t>(std::max(grade, 0))]
                                      : stops[at];
    }
};

// ---------------------------------------------------------------------------------------------
// The actions

enum class Act {
    TypeName,
    TypeUnits,
    TypeSchool,
    ClickSchool,
    ArrowSchool,
    ClickMajor,
    ArrowMajor,
    ClickGrade,
    AltGrade,
    ClickDeans,
    AltDeans,
    SpaceDeans,
    AltName,
    AltUnits,
    Tab,
    Backtab,
    ClickPrint,
    AltPrint,
    SpacePrint,
    ClickOK,
    AltOK,
    Escape,
    SchoolsByKeys,
    SchoolsByMouse,
    About,
};

// How a text field is typed into, after clicking it.
enum class Typing { Replace, Append };

// How the About window is closed.
enum class Leave { ClickOK, AltK, SpaceOnOK, Frame };

struct Action
{
    Act act = Act::Tab;
    int arg = 0;
    QString text;
    Typing typing = Typing::Replace;

    QString describe() const
    {
        const auto g = static_cast<std::size_t>(arg);
        switch (act) {
        case Act::TypeName:
        case Act::TypeUnits:
        case Act::TypeSchool:
            return u"type into %1 (%2) \"%3\""_s.arg(
                act == Act::TypeName    ? u"txtName"_s
                : act == Act::TypeUnits ? u"txtUnits"_s
                                        : u"cboSchool"_s,
                typing == Typing::Replace ? u"replace"_s : u"append"_s, text);
        case Act::ClickSchool:
            return u"click school row %1"_s.arg(arg);
        case Act::ArrowSchool:
            return arg > 0 ? u"Down in cboSchool"_s : u"Up in cboSchool"_s;
        case Act::ClickMajor:
            return u"click major row %1"_s.arg(arg);
        case Act::ArrowMajor:
            return arg > 0 ? u"Down in lstMajor"_s : u"Up in lstMajor"_s;
        case Act::ClickGrade:
            return u"click "_s + GradeButtons[g];
        case Act::AltGrade:
            return u"Alt+"_s + QChar::fromLatin1(GradeKeys[g]);
        case Act::About:
            return u"Help > About, then %1"_s.arg(
                std::array{u"O&K"_s, u"Alt+K"_s, u"Space on O&K"_s, u"its close button"_s}[g]);
        default:
            break;
        }
        // The actions that take no argument.
        static const QMap<Act, QString> plain = {
            {Act::ClickDeans, u"click chkDeans"_s},
            {Act::AltDeans, u"Alt+D"_s},
            {Act::SpaceDeans, u"Space on chkDeans"_s},
            {Act::AltName, u"Alt+N"_s},
            {Act::AltUnits, u"Alt+U"_s},
            {Act::Tab, u"Tab"_s},
            {Act::Backtab, u"Shift+Tab"_s},
            {Act::ClickPrint, u"click cmdPrint"_s},
            {Act::AltPrint, u"Alt+P"_s},
            {Act::SpacePrint, u"Space on cmdPrint"_s},
            {Act::ClickOK, u"click cmdOK"_s},
            {Act::AltOK, u"Alt+O"_s},
            {Act::Escape, u"Esc"_s},
            {Act::SchoolsByKeys, u"Alt+F, C (Print Schools)"_s},
            {Act::SchoolsByMouse, u"File > Print Schools by mouse"_s}};
        return plain.value(act);
    }
};

// What the user types: the awkward cases the checks must get right, and random ones.
class Typist
{
public:
    explicit Typist(std::mt19937 &rng) : m_rng(rng) {}

    int below(int n)
    {
        return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(m_rng));
    }
    bool chance(int percent) { return below(100) < percent; }
    template<class List> auto pick(const List &list)
    {
        return list[static_cast<std::size_t>(below(static_cast<int>(std::size(list))))];
    }

    QString word(int maxLength)
    {
        static const QString letters =
            u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZéÉèöÖüÜåÅñÑç    .-'"_s;
        QString out;
        const int length = 1 + below(maxLength);
        for (int i = 0; i < length; ++i)
            out += letters[below(static_cast<int>(letters.size()))];
        return out;
    }

    QString name()
    {
        if (chance(4))
            return {};
        static const QStringList names = {
            u" "_s,   u"  "_s,         u"Ann"_s,    u"A. Sample"_s, u"<b>Ann</b> & Bo"_s,
            u"Zoë"_s, u"José Núñez"_s, u"O'Neil"_s, u"&Ann"_s};
        return chance(60) ? pick(names) : word(12);
    }

    QString units()
    {
        static const QStringList units = {
            u""_s,     u" "_s,   u"0"_s,       u"-0"_s,  u"0.0"_s,  u"-5"_s,    u"0.5"_s,
            u".5"_s,   u"."_s,   u"12"_s,      u" 12"_s, u"12 "_s,  u"12abc"_s, u"abc"_s,
            u"1e3"_s,  u"1E3"_s, u"1e"_s,      u"1e+"_s, u"2e-1"_s, u"-1e3"_s,  u"+3"_s,
            u"0x10"_s, u"1,5"_s, u"3 units"_s, u"e3"_s,  u"00"_s,   u"0.001"_s, u"1e999"_s,
            u"-"_s,    u"+"_s,   u"½"_s,       u"7"_s};
        if (chance(75))
            return pick(units);
        QString out;
        const int length = 1 + below(5);
        static const QString chars = u"0123456789.-+eE x"_s;
        for (int i = 0; i < length; ++i)
            out += chars[below(static_cast<int>(chars.size()))];
        return out;
    }

    QString school(const QStringList &listed)
    {
        static const QStringList schools = {
            u"Lincoln"_s, u"Zeta"_s,  u"apple"_s, u"midtown"_s,   u"MIDTOWN"_s,  u"Midtown"_s,
            u"École"_s,   u"Ecole"_s, u"ecole"_s, u"Åland"_s,     u"Zürich"_s,   u"Ñandú"_s,
            u"Çorlu"_s,   u" "_s,     u"West"_s,  u"Westfield"_s, u"Highland "_s};
        if (chance(10))
            return {};
        if (chance(25))
            return pick(listed);
        return chance(60) ? pick(schools) : word(10);
    }

private:
    std::mt19937 &m_rng;
};

// ---------------------------------------------------------------------------------------------
// The session: the real program, driven and compared

class Session
{
public:
    explicit Session(std::uint32_t seed) : m_seed(seed), m_rng(seed), m_typist(m_rng)
    {
        m_program.start();
        m_main.activateWindow();
        m_ready = QTest::qWaitForWindowActive(&m_main);
    }

    // Runs count actions, then File, Exit if asked; returns what went wrong first, or nothing.
    QString run(int count, bool thenExit)
    {
        if (!m_ready)
            return u"the main window did not become active"_s;
        if (QString wrong = compare(); !wrong.isEmpty())
            return report(-1, u"at start: "_s + wrong);
        for (int i = 0; i < count; ++i) {
            const Action action = next();
            m_history.push_back(action.describe());
            if (m_history.size() > 12)
                m_history.pop_front();
            m_boxes.shown.clear();
            m_model.expected.clear();
            m_model.lastInsertion.reset();
            if (QString wrong = perform(action); !wrong.isEmpty())
                return report(i, wrong);
            if (QString wrong = settle(); !wrong.isEmpty())
                return report(i, wrong);
            if (QString wrong = compare(); !wrong.isEmpty())
                return report(i, wrong);
        }
        return thenExit ? exitAtTheEnd(count) : QString();
    }

    // The outcomes every session long enough must reach, with those it did not.
    QStringList unreached() const
    {
        static const QStringList outcomes = {u"Please Enter Your Name"_s,
                                             u"Enter Number of Units"_s,
                                             u"Please Enter Your Major"_s,
                                             u"Please Enter Your School"_s,
                                             u"Grade Level Not Selected"_s,
                                             u"summary on the deans list"_s,
                                             u"summary off the deans list"_s,
                                             u"typed school added"_s,
                                             u"typed school read like a listed one"_s,
                                             u"school list"_s,
                                             u"clear"_s,
                                             u"About"_s};
        QStringList missing;
        for (const QString &outcome : outcomes) {
            if (!m_model.reached.contains(outcome))
                missing.append(outcome);
        }
        return missing;
    }

    QString tally() const
    {
        QStringList out;
        for (auto it = m_model.reached.cbegin(); it != m_model.reached.cend(); ++it)
            out.append(u"%1 %2"_s.arg(it.key()).arg(it.value()));
        return out.join(u", "_s);
    }

private:
    // Between two actions of a user the event loop runs: whatever the action left pending,
    // such as the window system's word on which window is active, arrives.
    QString settle()
    {
        QCoreApplication::processEvents();
        QWidget *active = QApplication::activeWindow();
        if (active == &m_main)
            return {};
        // The offscreen platform has no window manager: when the active window goes away (a
        // menu's popup, the About window) nothing hands activation back to the main window,
        // as a desktop does. Do that here, so that what is checked is where the program
        // left the focus in the main window.
        if (!active || !active->isVisible()) {
            m_main.activateWindow();
            if (QTest::qWaitForWindowActive(&m_main))
                return {};
        }
        return u"the main window is not active (%1 is)"_s.arg(
            active ? QString::fromLatin1(active->metaObject()->className()) : u"none"_s);
    }

    template<class T = QWidget> T *control(const QString &name) const
    {
        return testing::control<T>(m_main, name);
    }

    QString report(int index, const QString &wrong) const
    {
        QString text = u"seed %1, action %2: %3\n  replay: TESSALY_SEED=%1 ctest -R "
                       u"tst_random_session --output-on-failure\n  last actions:"_s.arg(m_seed)
                           .arg(index)
                           .arg(wrong);
        int at = index - static_cast<int>(m_history.size()) + 1;
        for (const QString &done : m_history)
            text += u"\n    #%1 %2"_s.arg(at++).arg(done);
        return text;
    }

    // Draws the next action from the model alone, so that a seed replays exactly.
    Action next()
    {
        if (m_typist.chance(25))
            return fillingIn();
        struct Weighted
        {
            Act act;
            int weight;
        };
        // Clearing comes often enough on its own; Print comes often, so that records get
        // through every check.
        static const Weighted table[] = {
            {Act::TypeName, 7},    {Act::TypeUnits, 10},    {Act::TypeSchool, 12},
            {Act::ClickSchool, 8}, {Act::ArrowSchool, 4},   {Act::ClickMajor, 6},
            {Act::ArrowMajor, 3},  {Act::ClickGrade, 6},    {Act::AltGrade, 3},
            {Act::ClickDeans, 5},  {Act::AltDeans, 1},      {Act::SpaceDeans, 2},
            {Act::AltName, 2},     {Act::AltUnits, 2},      {Act::Tab, 8},
            {Act::Backtab, 4},     {Act::ClickPrint, 18},   {Act::AltPrint, 2},
            {Act::SpacePrint, 3},  {Act::ClickOK, 2},       {Act::AltOK, 1},
            {Act::Escape, 1},      {Act::SchoolsByKeys, 1}, {Act::SchoolsByMouse, 1},
            {Act::About, 1},
        };
        int total = 0;
        for (const Weighted &w : table)
            total += w.weight;
        for (;;) {
            int roll = m_typist.below(total);
            std::size_t k = 0;
            while (roll >= table[k].weight)
                roll -= table[k++].weight;
            Action a;
            a.act = table[k].act;
            switch (a.act) {
            case Act::TypeName:
            case Act::TypeUnits:
            case Act::TypeSchool:
                a.typing = m_typist.chance(70) ? Typing::Replace : Typing::Append;
                a.text = a.act == Act::TypeName    ? m_typist.name()
                         : a.act == Act::TypeUnits ? m_typist.units()
                                                   : m_typist.school(m_model.schools);
                if (a.typing == Typing::Append && a.text.isEmpty())
                    continue;
                break;
            case Act::ClickSchool:
                a.arg = m_typist.below(static_cast<int>(m_model.schools.size()));
                break;
            case Act::ClickMajor:
                a.arg = m_typist.below(static_cast<int>(Majors.size()));
                break;
            case Act::ArrowSchool:
                if (m_model.focus != u"cboSchool")
                    continue;
                a.arg = m_typist.chance(50) ? 1 : -1;
                break;
            case Act::ArrowMajor:
                // Arrows in a list with nothing picked are left alone: where they start from
                // is not the user's to see.
                if (m_model.focus != u"lstMajor" || m_model.major < 0)
                    continue;
                a.arg = m_typist.chance(50) ? 1 : -1;
                break;
            case Act::ClickGrade:
            case Act::AltGrade:
                a.arg = m_typist.below(4);
                break;
            case Act::SpaceDeans:
                if (m_model.focus != u"chkDeans")
                    continue;
                break;
            case Act::SpacePrint:
                if (m_model.focus != u"cmdPrint")
                    continue;
                break;
            case Act::About:
                a.arg = m_typist.below(4);
                break;
            default:
                break;
            }
            return a;
        }
    }

    // A user filling in the record in the order Print checks it, now and then printing
    // early or leaving the grade out: this is what takes sessions through every check.
    Action fillingIn()
    {
        Action a;
        a.act = Act::ClickPrint;
        if (m_typist.chance(20))
            return a;
        const Model &m = m_model;
        if (m.name.isEmpty()) {
            a.act = Act::TypeName;
            while (a.text.isEmpty())
                a.text = m_typist.name();
        } else if (!(leadingNumber(m.units) > 0.0)) {
            static const QStringList counts = {u"12"_s, u"0.5"_s,   u" 12"_s, u"1e3"_s,
                                               u"30"_s, u"12abc"_s, u"+3"_s,  u"7 units"_s};
            a.act = Act::TypeUnits;
            a.text = m_typist.pick(counts);
        } else if (m.major < 0) {
            a.act = Act::ClickMajor;
            a.arg = m_typist.below(static_cast<int>(Majors.size()));
        } else if (m.schoolText.isEmpty()) {
            if (m_typist.chance(50)) {
                a.act = Act::ClickSchool;
                a.arg = m_typist.below(static_cast<int>(m.schools.size()));
            } else {
                a.act = Act::TypeSchool;
                while (a.text.isEmpty())
                    a.text = m_typist.school(m.schools);
            }
        } else if (m.grade < 0 && m_typist.chance(70)) {
            a.act = m_typist.chance(70) ? Act::ClickGrade : Act::AltGrade;
            a.arg = m_typist.below(4);
        }
        return a;
    }

    QWidget *focused() const
    {
        QWidget *f = QApplication::focusWidget();
        return f ? f : &m_main;
    }

    void alt(char letter) { QTest::keyClick(focused(), letter, Qt::AltModifier); }

    // A button's command has run once the button is up again, however it was pressed.
    QString whenUp(QAbstractButton *button)
    {
        const bool up = QTest::qWaitFor([button] { return !button->isDown(); });
        if (!up)
            return u"%1 stayed pressed"_s.arg(button->objectName());
        return {};
    }

    // QTest::keyClicks knows ASCII only; a Latin-1 letter has a key of its own.
    static void typeText(QWidget *edit, const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(edit, static_cast<char>(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(c.toUpper().unicode()), QString(c),
                                    Qt::NoModifier);
        }
    }

    // Clicks the field and types as the action says; returns whether the text was edited.
    bool type(QLineEdit *edit, QString &modelText, const Action &a)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        const QString before = modelText;
        if (a.typing == Typing::Replace) {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            if (a.text.isEmpty())
                QTest::keyClick(edit, Qt::Key_Delete);
            else
                typeText(edit, a.text);
            modelText = a.text;
            return !a.text.isEmpty() || !before.isEmpty();
        }
        QTest::keyClick(edit, Qt::Key_End);
        typeText(edit, a.text);
        modelText += a.text;
        return true;
    }

    QString viaMenu(QMenu *menu, QAction *item, bool byKeys)
    {
        if (byKeys) {
            alt(menu == control<QMenu>(u"mnuFile"_s) ? 'f' : 'h');
        } else {
            QMenuBar *bar = m_main.menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              bar->actionGeometry(menu->menuAction()).center());
        }
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return u"the %1 menu did not open"_s.arg(menu->objectName());
        // The user reads the menu before choosing: the window system settles meanwhile.
        QCoreApplication::processEvents();
        if (byKeys)
            QTest::keyClick(menu, QKeySequence::mnemonic(item->text())[0].key());
        else
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        if (!QTest::qWaitFor([menu] { return !menu->isVisible(); }))
            return u"the %1 menu did not close"_s.arg(menu->objectName());
        return {};
    }

    QString printSchools(bool byKeys)
    {
        if (QString wrong = viaMenu(control<QMenu>(u"mnuFile"_s),
                                    control<QAction>(u"mnuPrintSchools"_s), byKeys);
            !wrong.isEmpty())
            return wrong;
        if (!QTest::qWaitFor([this] { return !m_boxes.shown.empty(); }))
            return u"Print Schools showed no message"_s;
        // The credit line is the program's to word; it must be one line, and the same every time.
        const QString &prompt = m_boxes.shown.front().prompt;
        if (!m_model.credit) {
            const QString first = prompt.section(CrLf, 0, 0);
            if (first.isEmpty() || first.contains(u'\r') || first.contains(u'\n'))
                return u"the report does not start with a one-line credit: \"%1\""_s.arg(prompt);
            m_model.credit = first;
        }
        m_model.printSchools(*m_model.credit);
        return {};
    }

    // File, Exit ends the program whatever is entered: no question, every window gone.
    QString exitAtTheEnd(int index)
    {
        m_history.push_back(u"File > Exit"_s);
        m_boxes.shown.clear();
        if (QString wrong = viaMenu(control<QMenu>(u"mnuFile"_s), m_main.exitAction(), false);
            !wrong.isEmpty())
            return report(index, wrong);
        QCoreApplication::processEvents();
        if (!m_boxes.shown.empty())
            return report(index, u"Exit asked: "_s + shown(m_boxes.shown));
        if (m_main.isVisible() || (m_about && m_about->isVisible()))
            return report(index, u"a window is still shown after Exit"_s);
        return {};
    }

    QString about(Leave leave)
    {
        QString wrong;
        QString failed;
        const bool seen = testing::whileShown<shell::AboutWindow>(
            [&] { failed = viaMenu(control<QMenu>(u"mnuHelp"_s), m_main.aboutAction(), false); },
            [&](shell::AboutWindow *window) {
                if (m_about && window != m_about)
                    wrong = u"a second About window was created"_s;
                m_about = window;
                auto *ok = window->findChild<QPushButton *>(u"cmdOK"_s);
                if (window->windowTitle() != u"About Quorlant")
                    wrong = u"About window titled \"%1\""_s.arg(window->windowTitle());
                else if (QApplication::focusWidget() != ok)
                    wrong = u"About window: focus on %1, not O&K"_s.arg(testing::focusName());
                // The main window takes no input meanwhile. The click goes in through the
                // window system, as a user's would: a click sent to the widget itself
                // bypasses modality.
                QWidget *print = control(u"cmdPrint"_s);
                QTest::mouseClick(m_main.windowHandle(), Qt::LeftButton, {},
                                  print->mapTo(&m_main, print->rect().center()));
                if (!m_boxes.shown.empty())
                    wrong = u"the main window's Print ran while About was shown"_s;
                switch (leave) {
                case Leave::ClickOK:
                    QTest::mouseClick(ok, Qt::LeftButton);
                    break;
                case Leave::AltK:
                    QTest::keyClick(ok, Qt::Key_K, Qt::AltModifier);
                    break;
                case Leave::SpaceOnOK:
                    QTest::keyClick(ok, Qt::Key_Space);
                    break;
                case Leave::Frame:
                    window->close();
                    break;
                }
                if (!QTest::qWaitFor([window] { return !window->isVisible(); }, 2000))
                    wrong = u"the About window stayed up (focus on %1)"_s.arg(testing::focusName());
            });
        if (!failed.isEmpty())
            return failed;
        if (!seen)
            return u"the About window was not shown"_s;
        if (!wrong.isEmpty())
            return wrong;
        if (m_about->isVisible())
            return u"the About window is still shown"_s;
        ++m_model.reached[u"About"_s];
        return {};
    }

    QString perform(const Action &a)
    {
        Model &m = m_model;
        const auto grade = [this](int g) {
            return control<QRadioButton>(GradeButtons[static_cast<std::size_t>(g)]);
        };
        switch (a.act) {
        case Act::TypeName:
            type(control<QLineEdit>(u"txtName"_s), m.name, a);
            m.focus = u"txtName"_s;
            break;
        case Act::TypeUnits:
            type(control<QLineEdit>(u"txtUnits"_s), m.units, a);
            m.focus = u"txtUnits"_s;
            break;
        case Act::TypeSchool:
            if (type(school()->lineEdit(), m.schoolText, a))
                m.schoolPicked = -1;
            m.focus = u"cboSchool"_s;
            break;
        case Act::ClickSchool:
            testing::clickRow(school()->listView(), a.arg);
            m.pickSchool(a.arg);
            break;
        case Act::ArrowSchool: {
            QTest::keyClick(focused(), a.arg > 0 ? Qt::Key_Down : Qt::Key_Up);
            const int last = static_cast<int>(m.schools.size()) - 1;
            m.pickSchool(m.schoolPicked < 0 ? 0 : std::clamp(m.schoolPicked + a.arg, 0, last));
            break;
        }
        case Act::ClickMajor:
            testing::clickRow(control<QListView>(u"lstMajor"_s), a.arg);
            m.major = a.arg;
            m.focus = u"lstMajor"_s;
            break;
        case Act::ArrowMajor:
            QTest::keyClick(focused(), a.arg > 0 ? Qt::Key_Down : Qt::Key_Up);
            m.major = std::clamp(m.major + a.arg, 0, static_cast<int>(Majors.size()) - 1);
            break;
        case Act::ClickGrade:
            QTest::mouseClick(grade(a.arg), Qt::LeftButton);
            m.grade = a.arg;
            m.focus = GradeButtons[static_cast<std::size_t>(a.arg)];
            break;
        case Act::AltGrade:
            alt(GradeKeys[static_cast<std::size_t>(a.arg)]);
            m.grade = a.arg;
            m.focus = GradeButtons[static_cast<std::size_t>(a.arg)];
            return whenUp(grade(a.arg));
        case Act::ClickDeans:
            QTest::mouseClick(control(u"chkDeans"_s), Qt::LeftButton);
            m.deans = !m.deans;
            m.focus = u"chkDeans"_s;
            break;
        case Act::AltDeans:
            alt('d');
            m.deans = !m.deans;
            m.focus = u"chkDeans"_s;
            return whenUp(control<QCheckBox>(u"chkDeans"_s));
        case Act::SpaceDeans:
            QTest::keyClick(focused(), Qt::Key_Space);
            m.deans = !m.deans;
            break;
        case Act::AltName:
            alt('n');
            m.focus = u"txtName"_s;
            break;
        case Act::AltUnits:
            alt('u');
            m.focus = u"txtUnits"_s;
            break;
        case Act::Tab:
        case Act::Backtab:
            QTest::keyClick(focused(), a.act == Act::Tab ? Qt::Key_Tab : Qt::Key_Backtab);
            m.tab(a.act == Act::Tab);
            break;
        case Act::ClickPrint:
            m.focus = u"cmdPrint"_s;
            QTest::mouseClick(control(u"cmdPrint"_s), Qt::LeftButton);
            m.print();
            break;
        case Act::SpacePrint:
            QTest::keyClick(focused(), Qt::Key_Space);
            m.print();
            break;
        case Act::AltPrint:
            // The button's access key clicks it where the focus is, as a Qt button does.
            alt('p');
            m.print();
            return whenUp(control<QPushButton>(u"cmdPrint"_s));
        case Act::ClickOK:
            QTest::mouseClick(control(u"cmdOK"_s), Qt::LeftButton);
            m.clear();
            break;
        case Act::AltOK:
            alt('o');
            m.clear();
            return whenUp(control<QPushButton>(u"cmdOK"_s));
        case Act::Escape:
            QTest::keyClick(focused(), Qt::Key_Escape);
            m.clear();
            break;
        case Act::SchoolsByKeys:
        case Act::SchoolsByMouse:
            return printSchools(a.act == Act::SchoolsByKeys);
        case Act::About:
            return about(static_cast<Leave>(a.arg));
        }
        return {};
    }

    surface::qt::ComboBoxWidget *school() const
    {
        return control<surface::qt::ComboBoxWidget>(u"cboSchool"_s);
    }

    static QString quoted(const QStringList &list)
    {
        return u"[\""_s + list.join(u"\", \""_s) + u"\"]"_s;
    }

    static QString shown(const std::vector<ShownBox> &boxes)
    {
        QStringList out;
        for (const ShownBox &box : boxes) {
            QString prompt = box.prompt;
            prompt.replace(u"\r"_s, u"\\r"_s).replace(u"\n"_s, u"\\n"_s);
            out.append(u"[%1] \"%2\""_s.arg(box.title, prompt));
        }
        return out.isEmpty() ? u"no message"_s : out.join(u", "_s);
    }

    QString compare()
    {
        Model &m = m_model;
        auto *box = school();
        const QStringList schools = box->items();
        // A school added among others that read the same may stand anywhere among them.
        if (m.lastInsertion && schools.size() == m.schools.size()) {
            const int at = box->pickedRow();
            if (at >= m.lastInsertion->first && at <= m.lastInsertion->last &&
                at != m.schoolPicked) {
                m.schools.move(m.schoolPicked, at);
                m.schoolPicked = at;
            }
        }

        QStringList wrong;
        const auto expect = [&](const QString &what, const auto &actual, const auto &expected) {
            if (actual != expected)
                wrong.append(what);
        };
        if (m_boxes.shown != m.expected)
            wrong.append(
                u"messages: expected %1, shown %2"_s.arg(shown(m.expected), shown(m_boxes.shown)));
        if (testing::focusName() != m.focus)
            wrong.append(u"focus: expected %1, on %2"_s.arg(m.focus, testing::focusName()));
        const QString name = control<QLineEdit>(u"txtName"_s)->text();
        expect(u"name: expected \"%1\", reads \"%2\""_s.arg(m.name, name), name, m.name);
        const QString units = control<QLineEdit>(u"txtUnits"_s)->text();
        expect(u"units: expected \"%1\", reads \"%2\""_s.arg(m.units, units), units, m.units);
        for (int g = 0; g < 4; ++g) {
            const bool on =
                control<QRadioButton>(GradeButtons[static_cast<std::size_t>(g)])->isChecked();
            expect(u"%1 is %2"_s.arg(GradeButtons[static_cast<std::size_t>(g)],
                                     on ? u"chosen"_s : u"not chosen"_s),
                   on, g == m.grade);
        }
        const bool deans = control<QCheckBox>(u"chkDeans"_s)->checkState() == Qt::Checked;
        expect(u"deans box is %1"_s.arg(deans ? u"ticked"_s : u"clear"_s), deans, m.deans);
        auto *major = control<surface::qt::ListBoxWidget>(u"lstMajor"_s);
        expect(u"major: expected row %1, picked %2"_s.arg(m.major).arg(major->pickedRow()),
               major->pickedRow(), m.major);
        expect(u"majors: "_s + quoted(testing::rowTexts(major)), testing::rowTexts(major), Majors);
        expect(u"school text: expected \"%1\", reads \"%2\""_s.arg(m.schoolText, box->text()),
               box->text(), m.schoolText);
        expect(u"school: expected row %1, picked %2"_s.arg(m.schoolPicked).arg(box->pickedRow()),
               box->pickedRow(), m.schoolPicked);
        expect(u"schools: expected %1, listed %2"_s.arg(quoted(m.schools), quoted(schools)),
               schools, m.schools);
        if (QApplication::activeModalWidget())
            wrong.append(u"a modal window is still up"_s);
        return wrong.join(u"; "_s);
    }

    const std::uint32_t m_seed;
    std::mt19937 m_rng;
    Typist m_typist;
    ScriptedBoxes m_boxes;
    shell::Shell m_program;
    student_form::StudentWindow &m_main = m_program.mainWindow();
    QWidget *m_about = nullptr;
    bool m_ready = false;
    Model m_model;
    std::deque<QString> m_history;
};

} // namespace

class TestRandomSession : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void session_data();
    void session();
};

void TestRandomSession::initTestCase()
{
    shell::setProgramIdentity();
}

void TestRandomSession::session_data()
{
    QTest::addColumn<uint>("seed");
    // Exit ends the program for good: no event loop runs after it, the About window's
    // included. Only the last session of a run can end with it.
    QTest::addColumn<bool>("thenExit");
    if (const QByteArray given = qgetenv("TESSALY_SEED"); !given.isEmpty()) {
        bool ok = false;
        const uint seed = given.toUInt(&ok);
        if (!ok)
            qFatal("TESSALY_SEED must be a whole number, not %s", given.constData());
        QTest::addRow("seed %u", seed) << seed << true;
        return;
    }
    for (const std::uint32_t seed : DefaultSeeds)
        QTest::addRow("seed %u", seed) << uint{seed} << (seed == std::end(DefaultSeeds)[-1]);
}

void TestRandomSession::session()
{
    QFETCH(uint, seed);
    QFETCH(bool, thenExit);
    QElapsedTimer clock;
    clock.start();
    Session session(seed);
    const QString wrong = session.run(ActionsPerSeed, thenExit);
    if (!wrong.isEmpty())
        QFAIL(qPrintable(wrong));
    qInfo("seed %u: %d actions in %lld ms: %s", seed, ActionsPerSeed, clock.elapsed(),
          qPrintable(session.tally()));
    const QStringList missing = session.unreached();
    QVERIFY2(missing.isEmpty(), qPrintable(u"never reached: "_s + missing.join(u", "_s)));
}

QTEST_MAIN(TestRandomSession)
#include "tst_random_session.moc"
