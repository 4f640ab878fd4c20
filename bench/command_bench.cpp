// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// Timings of the main window's commands in the real program (its Shell, windows and boxes) on
// Qt's offscreen platform, at 4, 1,000 and 32,767 schools. Each command is started through its
// button or menu action and timed until the window it opens has painted its OK button, which
// is then clicked; Clear, which opens none, until the events it leaves behind are processed.
// The controls are found by the names the window's definition gives them, as stock Qt widgets.

#include "messagebox.h"
#include "shell.h"
#include "studentwindow.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;
using surface::qt::MessageBox;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int FullList = 32767;

double seconds(Clock::duration time)
{
    return std::chrono::duration<double>(time).count();
}

// The program, its main window shown, and the controls a record is entered in.
class Program : public QObject
{
public:
    Program()
    {
        shell.start();
        QCoreApplication::processEvents();
        QCoreApplication::instance()->installEventFilter(this);
        m_giveUp.setSingleShot(true);
        m_giveUp.callOnTimeout(this, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
    }

    int schools() const { return schoolList->model()->rowCount(); }

    // Every entry filled in, the school picked from the middle of the list.
    void fillRecord()
    {
        name->setText(u"A. Sample"_s);
        units->setText(u"30"_s);
        major->setCurrentIndex(major->model()->index(1, 0));
        senior->setChecked(true);
        deans->setChecked(true);
        schoolList->setCurrentIndex(schoolList->model()->index(schools() / 2, 0));
        QCoreApplication::processEvents();
    }

    // Random ten-letter names, as typed: each lands at a random place in the sorted list, and
    // the fixed seed makes one run like the next.
    QString typedSchool()
    {
        std::uniform_int_distribution<int> letter(0, 25);
        QString school(1, QChar(u'A' + letter(m_random)));
        for (int i = 0; i < 9; ++i)
            school.append(QChar(u'a' + letter(m_random)));
        return school;
    }

    // Adds typed schools by Print, its box not shown, until the list holds count.
    void fillTo(int count)
    {
        MessageBox::setScript([](const QString &, const QString &) {});
        fillRecord();
        while (schools() < std::min(count, FullList)) {
            schoolEdit->setText(typedSchool());
            print->click();
            if (schools() % 256 == 0)
                QCoreApplication::processEvents();
        }
        MessageBox::setScript({});
        fillRecord();
    }

    // Runs command, which returns once the window it opened is closed, and returns the seconds
    // until that window painted its OK button, or a negative number if none did within 10 s.
    // wanted: how many lines a message box is to hold before OK is clicked, 0 for any.
    double untilBox(const std::function<void()> &command, qsizetype wanted = 0)
    {
        title.clear();
        onScreen = false;
        lines = 0;
        m_lines = wanted;
        m_waiting = true;
        m_giveUp.start(std::chrono::seconds(10));
        const Clock::time_point start = Clock::now();
        command();
        m_giveUp.stop();
        m_waiting = false;
        return title.isEmpty() ? -1 : seconds(m_painted - start);
    }

    shell::Shell shell;
    student_form::StudentWindow &window = shell.mainWindow();
    QLineEdit *name = control<QLineEdit>("txtName");
    QLineEdit *units = control<QLineEdit>("txtUnits");
    QAbstractItemView *major = control<QAbstractItemView>("lstMajor");
    QRadioButton *senior = control<QRadioButton>("optSenior");
    QCheckBox *deans = control<QCheckBox>("chkDeans");
    QLineEdit *schoolEdit = control<QWidget>("cboSchool")->findChild<QLineEdit *>();
    QAbstractItemView *schoolList = control<QWidget>("cboSchool")->findChild<QAbstractItemView *>();
    QPushButton *print = control<QPushButton>("cmdPrint");
    QPushButton *ok = control<QPushButton>("cmdOK");
    QAction *printSchools = control<QAction>("mnuPrintSchools");
    QAction *about = window.aboutAction();

    // Of the last window untilBox saw: its title, empty if none was painted; whether it lay on
    // the screen with its OK button inside it; and the lines of a message box's text.
    QString title;
    bool onScreen = false;
    qsizetype lines = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_waiting || event->type() != QEvent::Paint)
            return false;
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button || button->window() == &window)
            return false;
        auto *box = qobject_cast<MessageBox *>(button->window());
        if (box && button != box->okButton())
            return false;
        // The text is drawn before OK, in the same pass.
        m_painted = Clock::now();
        m_waiting = false;
        QWidget *shown = button->window();
        title = shown->windowTitle();
        onScreen = shown->screen()->availableGeometry().contains(shown->frameGeometry()) &&
                   shown->rect().contains(QRect(button->mapTo(shown, QPoint()), button->size()));
        finish(button, box);
        return false;
    }

private:
    // Clicks OK once a message box holds its lines, which may arrive after its first paint.
    void finish(QPushButton *button, MessageBox *box)
    {
        lines = box ? box->textView()->document()->blockCount() : 0;
        if (lines < m_lines && Clock::now() < m_painted + std::chrono::seconds(5))
            QTimer::singleShot(1, button, [this, button, box] { finish(button, box); });
        else
            QTimer::singleShot(0, button, &QPushButton::click);
    }

    template<class T> T *control(const char *objectName)
    {
        T *found = window.findChild<T *>(QLatin1StringView(objectName));
        if (!found)
            qFatal("the main window has no %s", objectName);
        return found;
    }

    QTimer m_giveUp;
    bool m_waiting = false;
    qsizetype m_lines = 0;
    Clock::time_point m_painted;
    std::mt19937 m_random{20261208};
};

Program *program = nullptr;

// Reports each iteration's time, with the median and the slowest as counters: the slowest is
// what decides whether a command ever misses a frame.
class Samples
{
public:
    explicit Samples(benchmark::State &state) : m_state(state) {}
    ~Samples()
    {
        if (m_seconds.empty())
            return;
        std::sort(m_seconds.begin(), m_seconds.end());
        const std::size_t n = m_seconds.size();
        m_state.counters["median_ms"] = (m_seconds[(n - 1) / 2] + m_seconds[n / 2]) / 2 * 1e3;
        m_state.counters["max_ms"] = m_seconds.back() * 1e3;
    }

    void add(double seconds)
    {
        m_state.SetIterationTime(seconds);
        m_seconds.push_back(seconds);
    }

private:
    benchmark::State &m_state;
    std::vector<double> m_seconds;
};

// Fills the list to range(0) schools; false, with the reason given, where it holds more.
bool schoolsAt(benchmark::State &state)
{
    program->fillTo(static_cast<int>(state.range(0)));
    if (program->schools() == state.range(0))
        return true;
    state.SkipWithError("the list holds more schools already");
    return false;
}

// Runs a command that opens a window with this title, once per iteration, after prepare.
void timeBox(benchmark::State &state, const QString &title, const std::function<void()> &command,
             const std::function<void()> &prepare = {}, qsizetype lines = 0)
{
    Samples samples(state);
    for (auto _ : state) {
        if (prepare)
            prepare();
        const double time = program->untilBox(command, lines);
        if (time < 0 || program->title != title || !program->onScreen || program->lines < lines) {
            state.SkipWithError("the command's window was not shown, whole and on the screen");
            break;
        }
        samples.add(time);
    }
}

// "&Print" of a whole record, its school picked from the list.
void print(benchmark::State &state)
{
    if (!schoolsAt(state))
        return;
    timeBox(state, u"Quorlant"_s, [] { program->print->click(); });
    if (program->schools() != state.range(0))
        state.SkipWithError("Print of a picked school changed the list");
}

// "&Print" of a record whose school is typed, not picked: it joins the list at its sorted
// place. Each iteration adds one; from range(0) schools on.
void schoolCapture(benchmark::State &state)
{
    if (!schoolsAt(state))
        return;
    timeBox(
        state, u"Quorlant"_s, [] { program->print->click(); },
        [] { program->schoolEdit->setText(program->typedSchool()); });
    if (program->schools() != state.range(0) + static_cast<int64_t>(state.iterations()))
        state.SkipWithError("Print did not add every typed school");
}

// File, "Print S&chools": the box holds the credit line, two empty lines, the heading and a
// line per school.
void report(benchmark::State &state)
{
    if (schoolsAt(state))
        timeBox(
            state, u"School List"_s, [] { program->printSchools->trigger(); }, {},
            program->schools() + 4);
}

// "&OK" on a whole record: it empties every entry.
void clear(benchmark::State &state)
{
    if (!schoolsAt(state))
        return;
    Samples samples(state);
    for (auto _ : state) {
        program->fillRecord();
        const Clock::time_point start = Clock::now();
        program->ok->click();
        QCoreApplication::processEvents();
        samples.add(seconds(Clock::now() - start));
        if (!program->name->text().isEmpty() || !program->schoolEdit->text().isEmpty()) {
            state.SkipWithError("OK did not clear the record");
            break;
        }
    }
    program->fillRecord();
}

// Help, "&About Quorlant": the first one in the process builds and loads the window.
void about(benchmark::State &state)
{
    if (schoolsAt(state))
        timeBox(state, u"About Quorlant"_s, [] { program->about->trigger(); });
}

void add(const char *name, void (*function)(benchmark::State &), int schools, int iterations)
{
    // Each iteration timed on its own: setting one up can cost more than what it times.
    benchmark::RegisterBenchmark(name, function)
        ->Arg(schools)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

// In order of list size, as the list only grows; the captures at the full list fill it.
void registerBenchmarks(int runs)
{
    for (const int schools : {4, 1000, FullList}) {
        if (schools == FullList)
            add("SchoolCapture", schoolCapture, FullList - runs, runs);
        add("Print", print, schools, runs);
        add("Report", report, schools, runs);
        add("Clear", clear, schools, 2 * runs);
        add("About", about, schools, runs);
        if (schools != FullList)
            add("SchoolCapture", schoolCapture, schools, runs);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform cannot raise a window, which the program asks of every box.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
        if (message != u"This plugin does not support raise()"_s)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QApplication app(argc, argv);
    Program instance;
    program = &instance;
    // COMMAND_RUNS: iterations of each benchmark, 30 unless told.
    const int runs = std::clamp(qEnvironmentVariableIntValue("COMMAND_RUNS"), 0, 1000);
    registerBenchmarks(runs > 0 ? runs : 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
