// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "listwidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStringListModel>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace surface::qt {

ListBoxWidget::ListBoxWidget(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int ListBoxWidget::pickedRow() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ListBoxWidget::pick(int row)
{
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

// Ctrl with a click, or Space, would otherwise take the pick back, and the form would then
// say that nothing was chosen.
QItemSelectionModel::SelectionFlags ListBoxWidget::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

namespace {

// What the list shows: the items as ItemList placed them, read-only. A name too long for the
// list is elided there and shown whole in its tooltip.
class ItemsModel : public QStringListModel
{
public:
    using QStringListModel::QStringListModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        return QStringListModel::data(index, role == Qt::ToolTipRole ? Qt::DisplayRole : role);
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return QStringListModel::flags(index) & ~(Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    }
};

class ComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit ComboBoxAccessible(ComboBoxWidget *box) : QAccessibleWidget(box, QAccessible::ComboBox)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const ComboBoxWidget *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *comboBoxAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1StringView(ComboBoxWidget::staticMetaObject.className()))
        return nullptr;
    return new ComboBoxAccessible(static_cast<ComboBoxWidget *>(object));
}

} // namespace

ComboBoxWidget::ComboBoxWidget(QWidget *parent)
    : QWidget(parent), m_model(new ItemsModel(this)), m_edit(new QLineEdit(this)),
      m_list(new QListView(this))
{
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(comboBoxAccessible), true);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_edit->setMaxLength(std::numeric_limits<int>::max()); // a school's name has no length limit
    m_list->setObjectName(QStringLiteral("list"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);

    m_list->setModel(m_model);
    // Every row is one line of text: measured once, the list stays quick at its full length.
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // long names are elided
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // One stop in the tab order, the box itself, as a stock combo box: a screen reader then
    // announces it once, as a combo box with its text. The edit field, focused through it,
    // gets its keys and input from it; Up/Down walk the list.
    m_list->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    m_edit->setFocusProxy(this);

    connect(m_edit, &QLineEdit::textChanged, this, &ComboBoxWidget::onTextChanged);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ComboBoxWidget::onSelectionChanged);
}

void ComboBoxWidget::setItems(const QStringList &items)
{
    m_items.assign(items); // raises when too many, before anything changes
    m_model->setStringList(m_items.toStringList());
    m_picked = -1;
    showPicked();
}

void ComboBoxWidget::setSorted(bool sorted)
{
    if (sorted == this->sorted())
        return;
    const QStringList current = items();
    m_items = ItemList(sorted);
    setItems(current);
}

QString ComboBoxWidget::text() const
{
    return m_edit->text();
}

void ComboBoxWidget::setText(const QString &text)
{
    m_edit->setText(text);
    m_picked = -1;
    showPicked();
}

void ComboBoxWidget::pick(int row)
{
    {
        const QScopedValueRollback picking(m_picking, true);
        m_edit->setText(row < 0 ? QString() : m_items.at(static_cast<Integer>(row)));
    }
    m_picked = row;
    showPicked();
    QAccessibleValueChangeEvent changed(this, m_edit->text());
    QAccessible::updateAccessibility(&changed);
}

Integer ComboBoxWidget::addItem(const QString &item)
{
    const Integer row = m_items.add(item); // raises when full, before the list shows a change
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), item);
    if (m_picked >= row)
        ++m_picked;
    return row;
}

void ComboBoxWidget::showPicked()
{
    const QScopedValueRollback showing(m_showing, true);
    QItemSelectionModel *selection = m_list->selectionModel();
    if (m_picked < 0) {
        selection->clear();
        return;
    }
    // Selected, not made current: the list would report its current item as focused, and
    // a screen reader would announce a move into the list on every pick.
    const QModelIndex index = m_model->index(m_picked);
    selection->select(index, QItemSelectionModel::ClearAndSelect);
    m_list->scrollTo(index);
}

// Only the user changes the list's selection behind showPicked()'s back: by mouse.
void ComboBoxWidget::onSelectionChanged()
{
    if (m_showing)
        return;
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        showPicked();
        return;
    }
    pick(rows.first().row());
    m_edit->setFocus(Qt::MouseFocusReason);
}

// Any change of the text but a pick: typing, undo, or a screen reader writing the field.
void ComboBoxWidget::onTextChanged()
{
    if (m_picking)
        return;
    m_picked = -1;
    showPicked();
}

int ComboBoxWidget::rowsPerPage() const
{
    const int rowHeight = m_list->sizeHintForRow(0);
    return rowHeight > 0 ? std::max(1, m_list->viewport()->height() / rowHeight) : 1;
}

bool ComboBoxWidget::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Polish:
        // A screen reader reaching the list in review reads it by the box's name.
        if (m_list->accessibleName().isEmpty())
            m_list->setAccessibleName(accessibleName());
        break;
    // What the box receives as the focus widget is the edit field's to handle (Tab and
    // Shift+Tab excepted: QWidget takes those before any key reaches keyPressEvent).
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        forward(event);
        return true;
    default:
        break;
    }
    return QWidget::event(event);
}

void ComboBoxWidget::keyPressEvent(QKeyEvent *event)
{
    if (!walkList(event))
        forward(event);
}

// Straight to the edit field, not through the event system: a key it ignores would otherwise
// come back to the box as its parent.
void ComboBoxWidget::forward(QEvent *event)
{
    static_cast<QObject *>(m_edit)->event(event);
}

QVariant ComboBoxWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return m_edit->inputMethodQuery(query);
}

// Up, Down, PageUp and PageDown pick in the list, as in any combo box.
bool ComboBoxWidget::walkList(const QKeyEvent *key)
{
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Down:
        step = 1;
        break;
    case Qt::Key_PageUp:
        step = -rowsPerPage();
        break;
    case Qt::Key_PageDown:
        step = rowsPerPage();
        break;
    default:
        return false;
    }
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (m_items.count() == 0 || !plain)
        return false;
    // Nothing picked counts as the row above the first.
    pick(std::clamp(m_picked + step, 0, m_items.count() - 1));
    return true;
}

} // namespace surface::qt
