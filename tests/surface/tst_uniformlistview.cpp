// The school list's view, held against Qt's own list view given the same rows: the rows must
// sit, scroll, draw and answer the mouse and the keys exactly as there, and assistive
// technology must find them where they are drawn.

#include "uniformlistview.h"

#include <QAccessible>
#include <QApplication>
#include <QHoverEvent>
#include <QListView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTest>

using namespace Qt::StringLiterals;
using surface::qt::UniformListView;

Q_DECLARE_METATYPE(QAbstractItemView::ScrollMode)
Q_DECLARE_METATYPE(QAbstractItemView::ScrollHint)

namespace {

QStringList schools(int count)
{
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append(u"School %1"_s.arg(i, 5, 10, QLatin1Char('0')));
    return names;
}

// Rows that arrive with their text, as the school list's do.
class Rows : public QAbstractListModel
{
public:
    explicit Rows(const QStringList &texts) : m_texts(texts) {}

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_texts.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return role == Qt::DisplayRole ? m_texts.value(index.row()) : QVariant();
    }
    void insert(int row, const QStringList &texts)
    {
        beginInsertRows({}, row, row + int(texts.size()) - 1);
        for (const QString &text : texts)
            m_texts.insert(row++, text);
        endInsertRows();
    }
    void removeFirst(int count)
    {
        beginRemoveRows({}, 0, count - 1);
        m_texts.remove(0, count);
        endRemoveRows();
    }

private:
    QStringList m_texts;
};

// Qt's list view and ours on one model, set up alike, side by side on the screen.
struct Views
{
    explicit Views(int rows, QAbstractItemView::ScrollMode mode = QAbstractItemView::ScrollPerItem)
        : model(schools(rows))
    {
        stock.setUniformItemSizes(true);
        stock.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        for (QListView *view :
             {static_cast<QListView *>(&stock), static_cast<QListView *>(&ours)}) {
            view->setModel(&model);
            view->setSelectionMode(QAbstractItemView::SingleSelection);
            view->setEditTriggers(QAbstractItemView::NoEditTriggers);
            view->setVerticalScrollMode(mode);
            view->resize(160, 107);
        }
        stock.move(0, 0);
        ours.move(200, 0);
        stock.show();
        ours.show();
    }

    bool exposed()
    {
        return QTest::qWaitForWindowExposed(&stock) && QTest::qWaitForWindowExposed(&ours);
    }
    QModelIndex at(int row) const { return model.index(row, 0); }

    Rows model;
    QListView stock;
    UniformListView ours;
};

// Everything a user can see or reach of the rows' places, compared view against view.
void compareGeometry(Views &v, const char *step)
{
    QCoreApplication::processEvents();
    // Qt's view shows or hides its scroll bar at once, ours on the next pass of the event loop,
    // which comes before anything is drawn.
    QTRY_VERIFY2_WITH_TIMEOUT(
        v.ours.viewport()->size() == v.stock.viewport()->size(),
        qPrintable(u"%1: the scroll bar shows in one view only"_s.arg(QLatin1StringView(step))),
        1000);
    const QScrollBar *stockBar = v.stock.verticalScrollBar();
    const QScrollBar *ourBar = v.ours.verticalScrollBar();
    QVERIFY2(stockBar->maximum() == ourBar->maximum(),
             qPrintable(u"%1: range %2 against %3"_s.arg(QLatin1StringView(step))
                            .arg(ourBar->maximum())
                            .arg(stockBar->maximum())));
    QCOMPARE(ourBar->minimum(), stockBar->minimum());
    if (stockBar->maximum() > 0) { // the steps mean nothing while nothing scrolls
        QCOMPARE(ourBar->pageStep(), stockBar->pageStep());
        QCOMPARE(ourBar->singleStep(), stockBar->singleStep());
    }
    QVERIFY2(stockBar->value() == ourBar->value(),
             qPrintable(u"%1: scrolled to %2 against %3"_s.arg(QLatin1StringView(step))
                            .arg(ourBar->value())
                            .arg(stockBar->value())));

    const int rows = v.model.rowCount();
    const QModelIndex top = v.stock.indexAt({1, 1});
    const int first = top.isValid() ? top.row() : 0;
    for (int row : {first - 2, first - 1, first, first + 1, first + 5, first + 9, rows - 1}) {
        if (row < 0 || row >= rows)
            continue;
        QVERIFY2(v.ours.visualRect(v.at(row)) == v.stock.visualRect(v.at(row)),
                 qPrintable(u"%1: row %2"_s.arg(QLatin1StringView(step)).arg(row)));
    }
    const QSize area = v.stock.viewport()->size();
    for (int y = -1; y <= area.height(); y += 3) {
        for (int x : {-1, 0, area.width() / 2, area.width() - 1, area.width()})
            QCOMPARE(v.ours.indexAt({x, y}), v.stock.indexAt({x, y}));
    }
}

// A failed comparison ends the test, not just the helper.
#define COMPARE_GEOMETRY(views, step)                                                              \
    do {                                                                                           \
        compareGeometry(views, step);                                                              \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

QImage drawn(QListView &view)
{
    return view.viewport()->grab().toImage();
}

} // namespace

class TestUniformListView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placesAndScrollsAsQtsListView_data();
    void placesAndScrollsAsQtsListView();
    void staysInStepAsRowsAreAdded_data();
    void staysInStepAsRowsAreAdded();
    void drawsAsQtsListView_data();
    void drawsAsQtsListView();
    void mouseAndKeysReachTheSameRows();
    void hoverMarksTheSameRow();
    void assistiveTechnologyFindsTheRows();
};

void TestUniformListView::placesAndScrollsAsQtsListView_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QAbstractItemView::ScrollMode>("mode");
    for (const auto &[name, mode] : {std::pair{"by item", QAbstractItemView::ScrollPerItem},
                                     std::pair{"by pixel", QAbstractItemView::ScrollPerPixel}}) {
        for (int rows : {0, 1, 5, 6, 7, 40, 32767})
            QTest::addRow("%d rows, %s", rows, name) << rows << mode;
    }
}

void TestUniformListView::placesAndScrollsAsQtsListView()
{
    QFETCH(int, rows);
    QFETCH(QAbstractItemView::ScrollMode, mode);
    Views v(rows, mode);
    QVERIFY(v.exposed());
    COMPARE_GEOMETRY(v, "shown");
    if (rows == 0)
        return;

    using Hint = QAbstractItemView::ScrollHint;
    for (int target : {rows - 1, 0, rows / 2, 3, rows - 2}) {
        if (target < 0 || target >= rows)
            continue;
        for (Hint hint : {Hint::EnsureVisible, Hint::PositionAtTop, Hint::EnsureVisible,
                          Hint::PositionAtBottom, Hint::PositionAtCenter}) {
            v.stock.scrollTo(v.at(target), hint);
            v.ours.scrollTo(v.at(target), hint);
            const QByteArray step =
                "to row " + QByteArray::number(target) + ", hint " + QByteArray::number(int(hint));
            COMPARE_GEOMETRY(v, step.constData());
        }
    }

    // The scroll bar moved by hand, as a user drags it.
    for (int value : {1, v.stock.verticalScrollBar()->maximum()}) {
        v.stock.verticalScrollBar()->setValue(value);
        v.ours.verticalScrollBar()->setValue(value);
        COMPARE_GEOMETRY(v, "dragged");
    }

    // A taller font, as a user's settings may give.
    QFont font = v.stock.font();
    font.setPointSizeF(font.pointSizeF() * 1.7);
    v.stock.setFont(font);
    v.ours.setFont(font);
    COMPARE_GEOMETRY(v, "larger font");
}

void TestUniformListView::staysInStepAsRowsAreAdded_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("scrolledTo");
    QTest::newRow("into an empty list") << 0 << 0;
    QTest::newRow("into a short list") << 3 << 0;
    QTest::newRow("into a long list, scrolled") << 60 << 30;
    QTest::newRow("into a full-length list, at its end") << 32766 << 32765;
}

void TestUniformListView::staysInStepAsRowsAreAdded()
{
    QFETCH(int, rows);
    QFETCH(int, scrolledTo);
    Views v(rows);
    QVERIFY(v.exposed());
    if (rows > 0) {
        v.stock.scrollTo(v.at(scrolledTo));
        v.ours.scrollTo(v.at(scrolledTo));
    }
    COMPARE_GEOMETRY(v, "before");

    // At the top, at the scrolled place, and at the end, one at a time as Print adds them;
    // then several at once.
    int added = 0;
    for (const auto where : {0, scrolledTo, -1, 1, -1}) {
        const int row = where < 0 ? v.model.rowCount() : std::min(where, v.model.rowCount());
        v.model.insert(row, {u"Added %1"_s.arg(++added)});
        COMPARE_GEOMETRY(v, qPrintable(u"added at row %1"_s.arg(row)));
        // Picked, as a captured school is.
        for (QListView *view :
             {static_cast<QListView *>(&v.stock), static_cast<QListView *>(&v.ours)}) {
            view->selectionModel()->setCurrentIndex(v.at(row), QItemSelectionModel::ClearAndSelect);
            view->scrollTo(v.at(row));
        }
        COMPARE_GEOMETRY(v, qPrintable(u"picked at row %1"_s.arg(row)));
    }
    v.model.insert(1, schools(25));
    COMPARE_GEOMETRY(v, "25 added");
    v.model.removeFirst(v.model.rowCount() / 2);
    COMPARE_GEOMETRY(v, "half taken away");
    // A taller row, at the end, where Qt's view measures its rows.
    v.model.insert(v.model.rowCount(), {u"Two\nlines"_s});
    COMPARE_GEOMETRY(v, "a taller row added");
}

void TestUniformListView::drawsAsQtsListView_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("picked");
    QTest::addColumn<bool>("alternating");
    QTest::newRow("short list, first picked") << 4 << 0 << false;
    QTest::newRow("long list, middle picked") << 300 << 150 << false;
    QTest::newRow("full-length list, last picked") << 32767 << 32766 << false;
    QTest::newRow("alternating rows, odd row picked") << 300 << 151 << true;
    QTest::newRow("alternating rows, even row picked") << 300 << 40 << true;
}

void TestUniformListView::drawsAsQtsListView()
{
    QFETCH(int, rows);
    QFETCH(int, picked);
    QFETCH(bool, alternating);
    Views v(rows);
    v.stock.setAlternatingRowColors(alternating);
    v.ours.setAlternatingRowColors(alternating);
    QVERIFY(v.exposed());
    for (QListView *view :
         {static_cast<QListView *>(&v.stock), static_cast<QListView *>(&v.ours)}) {
        view->selectionModel()->setCurrentIndex(v.at(picked), QItemSelectionModel::ClearAndSelect);
        view->scrollTo(v.at(picked), QAbstractItemView::PositionAtCenter);
    }
    QCoreApplication::processEvents();
    const QImage expected = drawn(v.stock);
    QCOMPARE(drawn(v.ours), expected);

    // Scrolled by a few rows since: what was moved on the screen must match a fresh drawing.
    v.stock.verticalScrollBar()->setValue(v.stock.verticalScrollBar()->value() - 3);
    v.ours.verticalScrollBar()->setValue(v.ours.verticalScrollBar()->value() - 3);
    QCoreApplication::processEvents();
    QCOMPARE(drawn(v.ours), drawn(v.stock));
}

void TestUniformListView::mouseAndKeysReachTheSameRows()
{
    Views v(200);
    QVERIFY(v.exposed());
    v.stock.scrollTo(v.at(120), QAbstractItemView::PositionAtTop);
    v.ours.scrollTo(v.at(120), QAbstractItemView::PositionAtTop);
    QCoreApplication::processEvents();

    // Clicks at a row's top and bottom edge and below the last visible one.
    const QRect row = v.stock.visualRect(v.at(122));
    for (QPoint point :
         {row.center(), row.topLeft() + QPoint(2, 0), row.bottomLeft() + QPoint(2, 0),
          QPoint(row.center().x(), v.stock.viewport()->height() - 1)}) {
        QTest::mouseClick(v.stock.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseClick(v.ours.viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(v.ours.currentIndex(), v.stock.currentIndex());
        QCOMPARE(v.ours.selectionModel()->selectedRows(), v.stock.selectionModel()->selectedRows());
    }
    QVERIFY(v.ours.currentIndex().row() >= 122);

    // The keys, with the view focused.
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Down,
                        Qt::Key_Home, Qt::Key_Up}) {
        v.stock.setFocus();
        QTest::keyClick(&v.stock, key);
        v.ours.setFocus();
        QTest::keyClick(&v.ours, key);
        QCOMPARE(v.ours.currentIndex(), v.stock.currentIndex());
        COMPARE_GEOMETRY(v, "after a key");
    }

    // A page at a time: never past either end, and never a jump larger than a page.
    const int page = v.ours.viewport()->height() / v.ours.rowHeight();
    int before = v.ours.currentIndex().row();
    QTest::keyClick(&v.ours, Qt::Key_PageDown);
    QCOMPARE(v.ours.currentIndex().row(), before + page);
    QTest::keyClick(&v.ours, Qt::Key_End);
    QTest::keyClick(&v.ours, Qt::Key_PageDown);
    QCOMPARE(v.ours.currentIndex().row(), 199);
    before = v.ours.currentIndex().row();
    QTest::keyClick(&v.ours, Qt::Key_PageUp);
    QCOMPARE(v.ours.currentIndex().row(), before - page);
    QVERIFY(v.ours.visualRect(v.ours.currentIndex()).top() >= 0);
}

// Which rows a view drew as under the mouse.
class HoverRecorder : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        if (option.state.testFlag(QStyle::State_MouseOver))
            hovered.append(index.row());
        QStyledItemDelegate::paint(painter, option, index);
    }
    mutable QList<int> hovered;
};

void TestUniformListView::hoverMarksTheSameRow()
{
    Views v(300);
    HoverRecorder stockRows, ourRows;
    v.stock.setItemDelegate(&stockRows);
    v.ours.setItemDelegate(&ourRows);
    QVERIFY(v.exposed());
    v.stock.scrollTo(v.at(200), QAbstractItemView::PositionAtTop);
    v.ours.scrollTo(v.at(200), QAbstractItemView::PositionAtTop);
    QCoreApplication::processEvents();

    const QPoint point = v.stock.visualRect(v.at(202)).center();
    const auto hover = [&](QEvent::Type type, QPoint at) {
        for (QListView *view :
             {static_cast<QListView *>(&v.stock), static_cast<QListView *>(&v.ours)}) {
            QHoverEvent event(type, at, view->viewport()->mapToGlobal(at), at);
            QCoreApplication::sendEvent(view->viewport(), &event);
        }
        stockRows.hovered.clear();
        ourRows.hovered.clear();
        drawn(v.stock);
        drawn(v.ours);
    };
    hover(QEvent::HoverEnter, point);
    QCOMPARE(stockRows.hovered, QList<int>{202});
    QCOMPARE(ourRows.hovered, stockRows.hovered);
    // A row added above: the mark stays with the same school, in both.
    v.model.insert(0, {u"Added"_s});
    QCoreApplication::processEvents();
    stockRows.hovered.clear();
    ourRows.hovered.clear();
    drawn(v.stock);
    drawn(v.ours);
    QCOMPARE(stockRows.hovered, QList<int>{203});
    QCOMPARE(ourRows.hovered, stockRows.hovered);
    hover(QEvent::HoverLeave, {-1, -1});
    QVERIFY(stockRows.hovered.isEmpty());
    QVERIFY(ourRows.hovered.isEmpty());
}

void TestUniformListView::assistiveTechnologyFindsTheRows()
{
    Views v(500);
    QVERIFY(v.exposed());
    v.ours.selectionModel()->setCurrentIndex(v.at(321), QItemSelectionModel::ClearAndSelect);
    v.ours.scrollTo(v.at(321));
    QCoreApplication::processEvents();

    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&v.ours);
    QVERIFY(list);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), 500);
    QAccessibleInterface *item = list->child(321);
    QVERIFY(item);
    QCOMPARE(item->text(QAccessible::Name), u"School 00321"_s);
    const QRect onScreen(v.ours.viewport()->mapToGlobal(v.ours.visualRect(v.at(321)).topLeft()),
                         v.ours.visualRect(v.at(321)).size());
    QCOMPARE(item->rect(), onScreen);
    QVERIFY(!item->state().invisible);
    QVERIFY(item->state().selected);
    QAccessibleInterface *pointed = list->childAt(onScreen.center().x(), onScreen.center().y());
    QVERIFY(pointed);
    QCOMPARE(pointed->text(QAccessible::Name), u"School 00321"_s);
    QVERIFY(list->child(0)->state().invisible);
}

QTEST_MAIN(TestUniformListView)
#include "tst_uniformlistview.moc"
