// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// Timings of the main window's commands on the real Qt binding, offscreen, at the list sizes a
// person meets and at the full list. See bench/README.md for what each figure covers.
//
// Every figure is a command run through its button or menu action, plus the events it leaves
// behind (layout, the window's repaint), so it is the time until the next frame can be drawn.

#include "aboutwindow.h"
#include "comboboxwidget.h"
#include "controls.h"
#include "itemlist.h"
#include "itemlistmodel.h"
#include "listboxwidget.h"
#include "messagebox.h"
#include "studentwindow.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using student_form::StudentWindow;
using surface::qt::ComboBoxWidget;
using surface::qt::MessageBox;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int FullList = surface::ItemList::MaxCount;

// School names as a person types them, spread over the alphabet so that each one lands at a
// random place in the sorted list. The same seed gives the same names on every run.
class Names
{
public:
    explicit Names(unsigned seed = 20261208) : m_random(seed) {}
    QString next()
    {
        std::uniform_int_distribution<int> letter(0, 25);
        QString name;
        name.append(QChar(u'A' + letter(m_random)));
        for (int i = 0; i < 9; ++i)
            name.append(QChar(u'a' + letter(m_random)));
        return name;
    }
    QStringList take(int count)
    {
        QStringList names;
        names.reserve(count);
        for (int i = 0; i < count; ++i)
            names.append(next());
        return names;
    }

private:
    std::mt19937 m_random;
};

// Runs the event loop a pass at a time until pass() holds, so that the moment it holds is not
// hidden behind other work queued after it; false if it does not within a few seconds. It
// spins while it waits, which a benchmark can afford.
bool processUntil(const std::function<bool()> &pass)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
    while (!pass()) {
        if (Clock::now() > deadline)
            return false;
        QCoreApplication::processEvents();
    }
    return true;
}

// Counts the paint events of the widgets it watches.
class PaintWatch : public QObject
{
public:
    void watch(QWidget *widget)
    {
        widget->installEventFilter(this);
        m_watched.push_back(widget);
    }
    void reset() { m_painted.clear(); }
    bool allPainted() const { return m_painted.size() == m_watched.size(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint &&
            std::find(m_painted.begin(), m_painted.end(), watched) == m_painted.end())
            m_painted.push_back(watched);
        return false;
    }

private:
    std::vector<QObject *> m_watched;
    std::vector<QObject *> m_painted;
};

// How the message boxes of a command are answered while it is timed.
enum class Boxes {
    // The text is composed and handed over; nothing is shown. This is the command's own work.
    Composed,
    // The box is built, shown without a modal loop, and waited for until its text and its OK
    // button have been painted: what a person sees before they can read it.
    Shown,
    // As Shown, and then waited for until every line of the text is in the view: a long text
    // arrives in batches after the box is first drawn.
    Whole,
};

class BoxAnswer
{
public:
    BoxAnswer(Boxes mode, QWidget *owner)
    {
        MessageBox::setScript([this, mode, owner](const QString &title, const QString &prompt) {
            promptLength = prompt.size();
            if (mode == Boxes::Composed)
                return;
            box = std::make_unique<MessageBox>(prompt, title, owner);
            PaintWatch painted;
            painted.watch(box->textView()->viewport());
            painted.watch(box->okButton());
            box->show();
            if (!processUntil([&] { return painted.allPainted(); }))
                failed = true;
            if (mode == Boxes::Whole) {
                // The report breaks its lines with CR LF only.
                const qsizetype lines = prompt.count(u"\r\n"_s) + 1;
                if (!processUntil(
                        [&] { return box->textView()->document()->blockCount() == lines; }))
                    failed = true;
            }
        });
    }
    ~BoxAnswer() { MessageBox::setScript({}); }
    BoxAnswer(const BoxAnswer &) = delete;
    BoxAnswer &operator=(const BoxAnswer &) = delete;

    // Dismisses the box of the last command, if one is open.
    void dismiss()
    {
        box.reset();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<MessageBox> box;
    qsizetype promptLength = 0;
    bool failed = false;
};

// The main window, shown, with its school list holding a given number of schools.
struct Form
{
    explicit Form(int schools)
    {
        window.show();
        processUntil([this] { return window.windowHandle()->isExposed(); });
        setSchools(schools);
    }

    template<class T> T *control(const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

    void setSchools(int count)
    {
        if (count == 4) // the presets, as at start-up
            school->setItems({u"Franklin"_s, u"Highland"_s, u"Midtown"_s, u"West Highland"_s});
        else
            school->setItems(Names(count).take(count));
        QCoreApplication::processEvents();
    }

    // Every entry filled in, with the school typed rather than picked.
    void fillRecord(const QString &typedSchool)
    {
        name->setText(u"A. Sample"_s);
        units->setText(u"30"_s);
        major->pick(1);
        senior->setChecked(true);
        deans->setChecked(true);
        school->setText(typedSchool);
    }

    // A command, and the events it posted: the time until the window can draw its next frame.
    template<class Command> double timed(Command &&command)
    {
        const Clock::time_point start = Clock::now();
        command();
        QCoreApplication::processEvents();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    StudentWindow window;
    ComboBoxWidget *school = control<ComboBoxWidget>("cboSchool");
    QLineEdit *name = control<QLineEdit>("txtName");
    QLineEdit *units = control<QLineEdit>("txtUnits");
    surface::qt::ListBoxWidget *major = control<surface::qt::ListBoxWidget>("lstMajor");
    QRadioButton *senior = control<QRadioButton>("optSenior");
    QCheckBox *deans = control<QCheckBox>("chkDeans");
    QPushButton *print = control<QPushButton>("cmdPrint");
    QPushButton *ok = control<QPushButton>("cmdOK");
    QAction *printSchools = control<QAction>("mnuPrintSchools");
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Reports one timed sample per iteration, with the median and the slowest as counters: the
// slowest is what decides whether a command ever misses a frame.
class Samples
{
public:
    explicit Samples(benchmark::State &state) : m_state(state) {}
    ~Samples()
    {
        if (m_seconds.empty())
            return;
        m_state.counters["median_ms"] = median(m_seconds) * 1e3;
        m_state.counters["max_ms"] = *std::max_element(m_seconds.begin(), m_seconds.end()) * 1e3;
    }
    Samples(const Samples &) = delete;
    Samples &operator=(const Samples &) = delete;

    void add(double seconds)
    {
        m_state.SetIterationTime(seconds);
        m_seconds.push_back(seconds);
    }

private:
    benchmark::State &m_state;
    std::vector<double> m_seconds;
};

bool boxFailed(benchmark::State &state, const BoxAnswer &boxes)
{
    if (boxes.failed)
        state.SkipWithError("the message box was not painted, or not filled, within 5 s");
    return boxes.failed;
}

// "&Print" with every entry filled and a new school typed, into a list of range(0) schools.
// Each iteration starts again from that list, so every Print adds the same kind of school.
template<Boxes mode> void printTypedSchool(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    Form form(count);
    BoxAnswer boxes(mode, &form.window);
    Names typed(7);
    Samples samples(state);
    for (auto _ : state) {
        boxes.dismiss();
        form.setSchools(count);
        form.fillRecord(typed.next());
        samples.add(form.timed([&] { form.print->click(); }));
        if (boxFailed(state, boxes))
            break;
    }
    if (form.school->itemList().count() != count + 1)
        state.SkipWithError("Print did not add the typed school");
}

// The school capture alone: AddItem of the typed text and ListIndex := NewIndex, through the
// binding the command uses, followed by the list's repaint.
void schoolCapture(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    Form form(count);
    surface::qt::QtComboBox cboSchool(form.school);
    Names typed(11);
    std::vector<double> addSeconds, pickSeconds, eventSeconds;
    Samples samples(state);
    for (auto _ : state) {
        form.setSchools(count);
        const QString name = typed.next();
        cboSchool.setText(name);
        // The parts, to see where the time goes: the insertion into the model and its views,
        // the pick, and the relayout and repaint the two leave for the event loop.
        const Clock::time_point start = Clock::now();
        cboSchool.addItem(name);
        const Clock::time_point added = Clock::now();
        cboSchool.setListIndex(cboSchool.newIndex());
        const Clock::time_point picked = Clock::now();
        QCoreApplication::processEvents();
        const Clock::time_point drawn = Clock::now();
        samples.add(std::chrono::duration<double>(drawn - start).count());
        addSeconds.push_back(std::chrono::duration<double>(added - start).count());
        pickSeconds.push_back(std::chrono::duration<double>(picked - added).count());
        eventSeconds.push_back(std::chrono::duration<double>(drawn - picked).count());
    }
    if (!addSeconds.empty()) {
        state.counters["add_us"] = median(addSeconds) * 1e6;
        state.counters["pick_us"] = median(pickSeconds) * 1e6;
        state.counters["events_us"] = median(eventSeconds) * 1e6;
    }
    if (form.school->pickedRow() < 0)
        state.SkipWithError("the captured school is not picked");
}

long minorPageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// File, "Print S&chools" with range(0) schools in the list.
template<Boxes mode> void schoolReport(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    Form form(count);
    BoxAnswer boxes(mode, &form.window);
    Samples samples(state);
    bool first = true;
    for (auto _ : state) {
        boxes.dismiss();
        const long faultsBefore = minorPageFaults();
        const double seconds = form.timed([&] { form.printSchools->trigger(); });
        samples.add(seconds);
        // The first report in a process touches memory the heap has never handed out; on a
        // machine where each first touch is dear, that alone can double its time.
        if (first) {
            state.counters["first_ms"] = seconds * 1e3;
            state.counters["first_faults"] = double(minorPageFaults() - faultsBefore);
            first = false;
        }
        if (boxFailed(state, boxes))
            break;
        // Shown means readable and answerable: the box on the screen, OK inside it.
        if (boxes.box &&
            (!boxes.box->screen()->availableGeometry().contains(boxes.box->frameGeometry()) ||
             !boxes.box->rect().contains(boxes.box->okButton()->geometry()))) {
            state.SkipWithError("the box or its OK button is off the screen");
            break;
        }
    }
    // Credit line, two empty lines, heading, and a line per school.
    if (boxes.promptLength < count * 2)
        state.SkipWithError("the report does not hold every school");
}

// Sends key (PageDown, which turns to PageUp at the bottom and back; or End, which turns to
// Home at the bottom and back) to target, once per iteration, timed until text is repainted.
void timeScrolling(benchmark::State &state, QWidget *target, QPlainTextEdit *text)
{
    const int key = static_cast<int>(state.range(0));
    QScrollBar *bar = text->verticalScrollBar();
    PaintWatch painted;
    painted.watch(text->viewport());
    bool down = true;
    Samples samples(state);
    for (auto _ : state) {
        if (key == Qt::Key_PageDown && bar->value() == bar->maximum())
            down = false;
        else if (key == Qt::Key_PageDown && bar->value() == bar->minimum())
            down = true;
        int sent = key;
        if (key == Qt::Key_PageDown)
            sent = down ? Qt::Key_PageDown : Qt::Key_PageUp;
        else
            sent = bar->value() == bar->maximum() ? Qt::Key_Home : Qt::Key_End;
        const int before = bar->value();
        painted.reset();
        const Clock::time_point start = Clock::now();
        QKeyEvent press(QEvent::KeyPress, sent, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        const bool ok = processUntil([&] { return painted.allPainted(); });
        samples.add(std::chrono::duration<double>(Clock::now() - start).count());
        if (!ok || bar->value() == before) {
            state.SkipWithError("the text did not scroll, or was not repainted");
            break;
        }
    }
    if (bar->maximum() <= 0)
        state.SkipWithError("the text does not scroll");
}

// Scrolling the report of a full list by a page, or to an end, in the program's own box with
// all of its text in place.
void reportScroll(benchmark::State &state)
{
    Form form(FullList);
    BoxAnswer boxes(Boxes::Whole, &form.window);
    form.printSchools->trigger();
    if (boxFailed(state, boxes) || !boxes.box)
        return;
    timeScrolling(state, boxes.box.get(), boxes.box->textView());
}

// The stock widgets against the program's own, on the same data, each built directly.
// The stock cases stand on their own; the program's counterparts are separate functions so
// they can go with the parts they time.

// The capture on a bare list view the size of the combo box's list, over the combo box's
// model: insert a typed school at its sorted place, select it and scroll to it, until the
// list is repainted and the events that left are processed (the view's deferred layout).
void listCapture(benchmark::State &state, QListView &view)
{
    const int count = static_cast<int>(state.range(0));
    surface::qt::ItemListModel model(true);
    view.setModel(&model);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(97, 35);
    view.show();
    if (!processUntil([&] { return view.windowHandle() && view.windowHandle()->isExposed(); })) {
        state.SkipWithError("the list was not shown");
        return;
    }
    const QStringList schools = Names(count).take(count);
    Names typed(11);
    PaintWatch painted;
    painted.watch(view.viewport());
    Samples samples(state);
    for (auto _ : state) {
        model.assign(schools);
        // The list laid out and drawn before the clock starts, as it is when a person types.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QString name = typed.next();
        painted.reset();
        const Clock::time_point start = Clock::now();
        const QModelIndex index = model.index(model.add(name));
        view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        view.scrollTo(index);
        const bool drawn = processUntil([&] { return painted.allPainted(); });
        QCoreApplication::processEvents();
        samples.add(std::chrono::duration<double>(Clock::now() - start).count());
        const QRect row = view.visualRect(index);
        const QRect area = view.viewport()->rect();
        if (!drawn || model.rowCount() != count + 1 || index.data().toString() != name ||
            !view.selectionModel()->isSelected(index) || row.top() < area.top() ||
            row.bottom() > area.bottom()) {
            state.SkipWithError("the typed school is not in place, selected and in view");
            break;
        }
    }
}

void listCaptureStock(benchmark::State &state)
{
    QListView view;
    view.setUniformItemSizes(true);
    listCapture(state, view);
}

// A School List report's text for count schools, in the program's shape: a credit line as long
// as the program's (the widest line, unless a name is longer), two empty lines, the heading and
// a sorted line per school, broken with CR LF.
QString reportText(int count)
{
    QStringList names = Names(count).take(count);
    std::sort(names.begin(), names.end());
    const QString lineBreak = u"\r\n"_s;
    QString text = u"Composed for the Tessaly command benchmarks."_s + lineBreak + lineBreak +
                   lineBreak + u"School List:"_s;
    for (const QString &name : names)
        text += lineBreak + name;
    return text;
}

// The stock way to show a long text: a read-only QPlainTextEdit handed all of it at once, with
// an OK button, in a dialog of a fixed size that fits the screen.
struct StockTextBox
{
    explicit StockTextBox(const QString &prompt)
    {
        dialog.setWindowTitle(u"School List"_s);
        text->setReadOnly(true);
        text->setPlainText(prompt);
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(text);
        layout->addWidget(buttons);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        dialog.resize(320, 480);
    }

    QDialog dialog;
    QPlainTextEdit *text = new QPlainTextEdit(&dialog);
    QDialogButtonBox *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
};

// From building a box to its text and OK painted, with the report of range(0) schools.
// makeBox builds it and returns the widget to show, its text and its OK button.
template<class MakeBox> void timeReportBox(benchmark::State &state, MakeBox makeBox)
{
    const int count = static_cast<int>(state.range(0));
    const QString prompt = reportText(count);
    Samples samples(state);
    for (auto _ : state) {
        QCoreApplication::processEvents();
        PaintWatch painted;
        const Clock::time_point start = Clock::now();
        auto [box, shown, text, ok] = makeBox(prompt);
        painted.watch(text->viewport());
        painted.watch(ok);
        shown->show();
        const bool drawn = processUntil([&] { return painted.allPainted(); });
        samples.add(std::chrono::duration<double>(Clock::now() - start).count());
        if (!drawn ||
            text->document()->firstBlock().text() != prompt.first(prompt.indexOf(u'\r'))) {
            state.SkipWithError("the box was not painted with its text");
            break;
        }
    }
}

void reportBoxStock(benchmark::State &state)
{
    timeReportBox(state, [](const QString &prompt) {
        auto box = std::make_unique<StockTextBox>(prompt);
        QWidget *shown = &box->dialog;
        QPlainTextEdit *text = box->text;
        QPushButton *ok = box->ok;
        return std::make_tuple(std::move(box), shown, text, ok);
    });
}

void reportBoxBatched(benchmark::State &state)
{
    timeReportBox(state, [](const QString &prompt) {
        auto box = std::make_unique<MessageBox>(prompt, u"School List"_s);
        QWidget *shown = box.get();
        QPlainTextEdit *text = box->textView();
        QPushButton *ok = box->okButton();
        return std::make_tuple(std::move(box), shown, text, ok);
    });
}

void reportBoxScrollStock(benchmark::State &state)
{
    const QString prompt = reportText(FullList);
    StockTextBox box(prompt);
    box.dialog.show();
    PaintWatch painted;
    painted.watch(box.text->viewport());
    if (!processUntil([&] { return painted.allPainted(); }) ||
        box.text->document()->blockCount() != prompt.count(u"\r\n"_s) + 1) {
        state.SkipWithError("the box was not shown with all of its text");
        return;
    }
    timeScrolling(state, box.text, box.text);
}

void reportBoxScrollBatched(benchmark::State &state)
{
    const QString prompt = reportText(FullList);
    MessageBox box(prompt, u"School List"_s);
    box.show();
    if (!processUntil([&] {
            return box.textView()->document()->blockCount() == prompt.count(u"\r\n"_s) + 1;
        })) {
        state.SkipWithError("the box was not filled");
        return;
    }
    timeScrolling(state, &box, box.textView());
}

// "&OK" on a filled record, with range(0) schools in the list and one of them picked.
void clearRecord(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    Form form(count);
    Samples samples(state);
    for (auto _ : state) {
        form.fillRecord(QString());
        form.school->pick(count / 2);
        QCoreApplication::processEvents();
        samples.add(form.timed([&] { form.ok->click(); }));
    }
    if (!form.name->text().isEmpty() || form.school->pickedRow() != -1)
        state.SkipWithError("OK did not clear the record");
}

// Help, "&About Quorlant" the first time: the About window built, loaded and shown, until its
// OK button is painted. Later About commands only show the same window again.
void aboutFirstTime(benchmark::State &state)
{
    Form form(4);
    Samples samples(state);
    for (auto _ : state) {
        std::unique_ptr<shell::AboutWindow> about;
        PaintWatch painted;
        const Clock::time_point start = Clock::now();
        about = std::make_unique<shell::AboutWindow>();
        painted.watch(about->findChild<QPushButton *>(u"cmdOK"_s));
        about->show();
        const bool ok = processUntil([&] { return painted.allPainted(); });
        samples.add(std::chrono::duration<double>(Clock::now() - start).count());
        if (!ok) {
            state.SkipWithError("the About window was not painted");
            break;
        }
    }
}

// The growth of a list filled from the four presets to full by Print, next to the same
// insertions into the bare item list and into a plain list of strings (the shifting alone).
struct Segment
{
    int from;
    int to;
    double printSeconds = 0;
    double itemListSeconds = 0;
    double shiftSeconds = 0;
};

std::vector<Segment> fillSegments = {{4, 1000},     {1000, 4000},   {4000, 8000},
                                     {8000, 16000}, {16000, 24000}, {24000, FullList}};

Segment &segmentOf(int count)
{
    for (Segment &segment : fillSegments) {
        if (count < segment.to)
            return segment;
    }
    return fillSegments.back();
}

void fillByPrint(benchmark::State &state)
{
    for (auto _ : state) {
        Form form(4);
        BoxAnswer boxes(Boxes::Composed, &form.window);
        Names typed(3);
        std::vector<QString> names;
        std::vector<int> rows;
        double total = 0;
        for (int count = 4; count < FullList; ++count) {
            names.push_back(typed.next());
            form.fillRecord(names.back());
            const double seconds = form.timed([&] { form.print->click(); });
            segmentOf(count).printSeconds += seconds;
            total += seconds;
            rows.push_back(form.school->pickedRow());
        }
        if (form.school->itemList().count() != FullList) {
            state.SkipWithError("Print did not fill the list");
            break;
        }
        state.SetIterationTime(total);
        state.counters["total_s"] = total;

        surface::ItemList items(true);
        items.assign({u"Franklin"_s, u"Highland"_s, u"Midtown"_s, u"West Highland"_s});
        QList<QString> plain = items.toStringList();
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int count = static_cast<int>(i) + 4;
            Clock::time_point start = Clock::now();
            benchmark::DoNotOptimize(items.add(names[i]));
            segmentOf(count).itemListSeconds +=
                std::chrono::duration<double>(Clock::now() - start).count();
            start = Clock::now();
            plain.insert(rows[i], names[i]);
            benchmark::ClobberMemory();
            segmentOf(count).shiftSeconds +=
                std::chrono::duration<double>(Clock::now() - start).count();
        }
    }
}

void printFillTable()
{
    if (fillSegments.front().printSeconds == 0)
        return;
    std::printf("\nFilling the school list by Print, mean microseconds per added school:\n");
    std::printf("%-16s %12s %12s %12s %10s\n", "schools", "Print", "item list", "shift only",
                "Print/shift");
    for (const Segment &s : fillSegments) {
        const double n = s.to - s.from;
        std::printf("%6d to %-6d %12.1f %12.2f %12.2f %10.1f\n", s.from, s.to,
                    s.printSeconds / n * 1e6, s.itemListSeconds / n * 1e6, s.shiftSeconds / n * 1e6,
                    s.printSeconds / s.shiftSeconds);
    }
}

// What this machine charges for a page of memory written for the first time: a fresh
// anonymous mapping, one byte written per page. It is the machine's figure, not the program's:
// a first report's first_faults times this is most of what it costs over a later report.
void firstTouch(benchmark::State &state)
{
    constexpr std::size_t pages = 1024;
    const std::size_t pageSize = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::vector<double> perPage;
    for (auto _ : state) {
        void *memory = mmap(nullptr, pages * pageSize, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            state.SkipWithError("no memory could be mapped");
            break;
        }
        auto *bytes = static_cast<volatile char *>(memory);
        const Clock::time_point start = Clock::now();
        for (std::size_t page = 0; page < pages; ++page)
            bytes[page * pageSize] = 1;
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        munmap(memory, pages * pageSize);
        state.SetIterationTime(seconds);
        perPage.push_back(seconds / pages);
    }
    if (!perPage.empty())
        state.counters["us_per_page"] = median(perPage) * 1e6;
}

// Registers a benchmark at the given list sizes (or other arguments), each iteration timed on
// its own, a fixed number of them: the setup of an iteration can cost more than what it times.
void timeEach(const char *name, void (*function)(benchmark::State &),
              std::initializer_list<int> arguments, int iterations)
{
    benchmark::internal::Benchmark *b = benchmark::RegisterBenchmark(name, function)
                                            ->Iterations(iterations)
                                            ->UseManualTime()
                                            ->Unit(benchmark::kMillisecond);
    for (const int argument : arguments)
        b->Arg(argument);
}

void registerBenchmarks()
{
    timeEach("Print/composed", printTypedSchool<Boxes::Composed>, {1, 1000, FullList - 1}, 60);
    timeEach("Print/shown", printTypedSchool<Boxes::Shown>, {1, 1000, FullList - 1}, 30);
    timeEach("SchoolCapture", schoolCapture, {1, 1000, FullList - 1}, 60);
    timeEach("Report/composed", schoolReport<Boxes::Composed>, {4, 1000, FullList}, 30);
    timeEach("Report/shown", schoolReport<Boxes::Shown>, {4, 1000, FullList}, 30);
    timeEach("Report/whole", schoolReport<Boxes::Whole>, {FullList}, 30);
    timeEach("ReportScroll/32767/key", reportScroll, {Qt::Key_PageDown, Qt::Key_End}, 100);
    timeEach("ListCapture/stock", listCaptureStock, {1, 1000, FullList - 1}, 60);
    timeEach("ReportBox/stock", reportBoxStock, {4, 1000, FullList}, 30);
    timeEach("ReportBox/batched", reportBoxBatched, {4, 1000, FullList}, 30);
    timeEach("ReportBoxScroll/32767/stock/key", reportBoxScrollStock,
             {Qt::Key_PageDown, Qt::Key_End}, 100);
    timeEach("ReportBoxScroll/32767/batched/key", reportBoxScrollBatched,
             {Qt::Key_PageDown, Qt::Key_End}, 100);
    timeEach("Clear", clearRecord, {4, 1000, FullList}, 60);
    timeEach("AboutFirstTime", aboutFirstTime, {}, 20);
    timeEach("FillByPrint/4-32767", fillByPrint, {}, 1);
    timeEach("Machine/FirstTouch", firstTouch, {}, 20);
}
} // namespace

int main(int argc, char *argv[])
{
    // Offscreen unless told otherwise: the figures are the program's, not the X server's.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printFillTable();
    return 0;
}
