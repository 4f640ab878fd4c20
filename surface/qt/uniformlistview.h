#pragma once

#include <QListView>

namespace surface::qt {

// A list view whose rows all have one height and span its width, placed by arithmetic.
//
// QListView lays every row out again after each insertion, which with tens of thousands of
// schools is most of the time a Print takes. Here row r simply sits at r times the row
// height, so adding, picking and drawing cost the same at any length.
//
// It stays a QListView so that styles and assistive technology treat it as the list it is.
// What it supports is what a plain list needs: one column, top to bottom, no hidden rows, no
// wrapping, no drag and drop, and no horizontal scrolling (long items are elided).
class UniformListView : public QListView
{
    Q_OBJECT
public:
    explicit UniformListView(QWidget *parent = nullptr);

    // The height of every row: that of the tallest row measured, which are the first row at
    // each layout and every row added since. 0 while the list is empty.
    int rowHeight() const;
    // Rows wholly inside the viewport, at least one: what PageUp and PageDown move by.
    int rowsPerPage() const;

    QRect visualRect(const QModelIndex &index) const override;
    QModelIndex indexAt(const QPoint &point) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

protected:
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void updateGeometries() override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void paintEvent(QPaintEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    int rowCount() const;
    // Whether the index is one of the rows this view shows.
    bool isRow(const QModelIndex &index) const;
    int measuredHeight(int row) const;
    // The row under viewport y, which may be outside the list.
    int rowAt(int y) const;
    bool perItem() const { return verticalScrollMode() == ScrollPerItem; }

    mutable int m_rowHeight = 0;
    // The row under the mouse, followed through hover events as QListView does.
    QPersistentModelIndex m_hover;
};

} // namespace surface::qt
