#include "uniformlistview.h"

#include <QAccessible>
#include <QHoverEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStylePainter>

#include <algorithm>

namespace surface::qt {

UniformListView::UniformListView(QWidget *parent) : QListView(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true); // true of every row here, for anything that asks the view
}

int UniformListView::rowCount() const
{
    if (!model() || model()->columnCount(rootIndex()) <= modelColumn())
        return 0;
    return model()->rowCount(rootIndex());
}

bool UniformListView::isRow(const QModelIndex &index) const
{
    return index.isValid() && index.parent() == rootIndex() && index.column() == modelColumn();
}

int UniformListView::measuredHeight(int row) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
    const QAbstractItemDelegate *delegate = itemDelegateForIndex(index);
    return delegate ? delegate->sizeHint(option, index).height() : 0;
}

int UniformListView::rowHeight() const
{
    if (rowCount() == 0)
        return 0;
    if (m_rowHeight <= 0)
        m_rowHeight = std::max(1, measuredHeight(0));
    return m_rowHeight;
}

int UniformListView::rowsPerPage() const
{
    const int height = rowHeight();
    return height > 0 ? std::max(1, viewport()->height() / height) : 1;
}

int UniformListView::rowAt(int y) const
{
    const int height = rowHeight();
    const int contentY = y + verticalOffset();
    if (height <= 0 || contentY < 0)
        return -1;
    return contentY / height;
}

QRect UniformListView::visualRect(const QModelIndex &index) const
{
    if (!isRow(index))
        return {};
    const int height = rowHeight();
    return {-horizontalOffset(), index.row() * height - verticalOffset(), viewport()->width(),
            height};
}

QModelIndex UniformListView::indexAt(const QPoint &point) const
{
    const int row = rowAt(point.y());
    if (row < 0 || row >= rowCount() || point.x() < 0 || point.x() >= viewport()->width())
        return {};
    return model()->index(row, modelColumn(), rootIndex());
}

// The scroll values QListView itself would choose for the same rows, so that the view moves
// as any other list does.
void UniformListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!isRow(index))
        return;
    const QRect rect = visualRect(index);
    const QRect area = viewport()->rect();
    if (hint == EnsureVisible && area.contains(rect)) {
        viewport()->update(rect);
        return;
    }
    const bool above = hint == EnsureVisible && rect.top() < area.top();
    const bool below = hint == EnsureVisible && rect.bottom() > area.bottom();
    if (above)
        hint = PositionAtTop;
    else if (below)
        hint = PositionAtBottom;

    QScrollBar *bar = verticalScrollBar();
    const int row = index.row();
    if (perItem()) {
        const int fitting = std::min(row + 1, rowsPerPage());
        switch (hint) {
        case PositionAtTop:
            bar->setValue(row);
            break;
        case PositionAtBottom:
            bar->setValue(row - fitting + 1);
            break;
        case PositionAtCenter:
            bar->setValue(row - fitting / 2);
            break;
        case EnsureVisible:
            break;
        }
        return;
    }
    switch (hint) {
    case PositionAtTop:
        bar->setValue(bar->value() + rect.top());
        break;
    case PositionAtBottom:
        bar->setValue(bar->value() + std::min(rect.top(), rect.bottom() - area.height() + 1));
        break;
    case PositionAtCenter:
        bar->setValue(bar->value() + rect.top() - (area.height() - rect.height()) / 2);
        break;
    case EnsureVisible:
        break;
    }
}

void UniformListView::doItemsLayout()
{
    m_rowHeight = 0; // the font or the items may have changed: measure again
    // Not QListView's: that places every row one by one.
    QAbstractItemView::doItemsLayout();
}

void UniformListView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    // QListView's would throw away its layout of every row; nothing here depends on the rows.
    QAbstractItemView::rowsInserted(parent, start, end);
    if (parent != rootIndex())
        return;
    if (m_rowHeight > 0) {
        for (int row = start; row <= end; ++row)
            m_rowHeight = std::max(m_rowHeight, measuredHeight(row));
    }
    updateGeometries();
    viewport()->update();
}

void UniformListView::updateGeometries()
{
    QScrollBar *bar = verticalScrollBar();
    const int rows = rowCount();
    const int height = rowHeight();
    if (geometry().isEmpty() || rows == 0) {
        bar->setRange(0, 0);
    } else if (perItem()) {
        const int page = rowsPerPage();
        bar->setSingleStep(1);
        bar->setPageStep(page);
        bar->setRange(0, std::max(0, rows - page));
    } else {
        bar->setSingleStep(height);
        bar->setPageStep(viewport()->height());
        bar->setRange(0, std::max(0, rows * height - viewport()->height()));
    }
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

int UniformListView::horizontalOffset() const
{
    return 0;
}

int UniformListView::verticalOffset() const
{
    const int value = verticalScrollBar()->value();
    return perItem() ? value * rowHeight() : value;
}

void UniformListView::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, perItem() ? dy * rowHeight() : dy);
}

QModelIndex UniformListView::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int rows = rowCount();
    if (rows == 0)
        return {};
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : 0;
    if (current.isValid()) {
        switch (action) {
        case MoveUp:
        case MovePrevious:
            --row;
            break;
        case MoveDown:
        case MoveNext:
            ++row;
            break;
        case MovePageUp:
            row -= rowsPerPage();
            break;
        case MovePageDown:
            row += rowsPerPage();
            break;
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = rows - 1;
            break;
        case MoveLeft:
        case MoveRight:
            break;
        }
    }
    return model()->index(std::clamp(row, 0, rows - 1), modelColumn(), rootIndex());
}

void UniformListView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    QItemSelection selection;
    const int first = std::max(0, rowAt(rect.top()));
    const int last = std::min(rowCount() - 1, rowAt(rect.bottom()));
    if (first <= last && rect.right() >= 0 && rect.left() < viewport()->width()) {
        selection.select(model()->index(first, modelColumn(), rootIndex()),
                         model()->index(last, modelColumn(), rootIndex()));
    }
    selectionModel()->select(selection, command);
}

// QListView's own announcements would ask its row layout for the row's place among the
// children; here that place is the row.
void UniformListView::selectionChanged(const QItemSelection &selected,
                                       const QItemSelection &deselected)
{
    if (QAccessible::isActive()) {
        const auto announce = [this](const QItemSelection &rows, QAccessible::Event type) {
            const QModelIndex index = rows.indexes().value(0);
            if (!index.isValid())
                return;
            QAccessibleEvent event(this, type);
            event.setChild(index.row());
            QAccessible::updateAccessibility(&event);
        };
        announce(selected, QAccessible::SelectionAdd);
        announce(deselected, QAccessible::SelectionRemove);
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}

void UniformListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row());
        QAccessible::updateAccessibility(&event);
    }
}

void UniformListView::paintEvent(QPaintEvent *event)
{
    const int rows = rowCount();
    if (rows == 0)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QStylePainter painter(viewport());

    const int first = std::max(0, rowAt(event->rect().top()));
    const int last = std::min(rows - 1, rowAt(event->rect().bottom()));
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QStyle::State state = option.state;
    const bool enabled = state.testFlag(QStyle::State_Enabled);

    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
        option.rect = visualRect(index);
        option.state = state;
        option.state.setFlag(QStyle::State_Selected, selectionModel()->isSelected(index));
        if (enabled) {
            const bool itemEnabled = model()->flags(index).testFlag(Qt::ItemIsEnabled);
            option.state.setFlag(QStyle::State_Enabled, itemEnabled);
            option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal
                                                            : QPalette::Disabled);
        }
        option.state.setFlag(QStyle::State_HasFocus, focus && index == current);
        option.state.setFlag(QStyle::State_MouseOver, index == m_hover);
        if (alternatingRowColors()) {
            option.features.setFlag(QStyleOptionViewItem::Alternate, row % 2 == 1);
            QStyleOptionViewItem background = option;
            background.state &= ~QStyle::State_Selected;
            painter.drawPrimitive(QStyle::PE_PanelItemViewRow, background);
        }
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

bool UniformListView::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        m_hover = indexAt(static_cast<QHoverEvent *>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
        m_hover = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QListView::viewportEvent(event);
}

} // namespace surface::qt
