#include "comboboxwidget.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

namespace surface::qt {

ComboBoxWidget::ComboBoxWidget(QWidget *parent)
    : QWidget(parent), m_model(new ItemListModel(false, this)), m_edit(new QLineEdit(this)),
      m_list(new QListView(this))
{
    m_edit->setObjectName(QStringLiteral("edit"));
    m_list->setObjectName(QStringLiteral("list"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);

    m_list->setModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One stop in the tab order: the edit field takes the focus, and Up/Down there walk
    // the list, as in any combo box.
    m_list->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    m_edit->installEventFilter(this);

    connect(m_edit, &QLineEdit::textEdited, this, &ComboBoxWidget::onTextEdited);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ComboBoxWidget::onSelectionChanged);
}

QStringList ComboBoxWidget::items() const
{
    return m_model->items().toStringList();
}

void ComboBoxWidget::setItems(const QStringList &items)
{
    m_model->assign(items);
    m_picked = -1;
    showPicked();
}

bool ComboBoxWidget::sorted() const
{
    return m_model->items().sorted();
}

void ComboBoxWidget::setSorted(bool sorted)
{
    if (sorted == this->sorted())
        return;
    m_model->assign(items(), sorted);
    m_picked = -1;
    showPicked();
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
    m_picked = row;
    m_edit->setText(row < 0 ? QString() : m_model->items().at(static_cast<Integer>(row)));
    showPicked();
}

Integer ComboBoxWidget::addItem(const QString &item)
{
    const Integer row = m_model->add(item);
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
    const QModelIndex index = m_model->index(m_picked);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
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
    m_edit->selectAll();
}

void ComboBoxWidget::onTextEdited()
{
    m_picked = -1;
    showPicked();
}

bool ComboBoxWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int count = m_model->rowCount();
        const int page =
            std::max(1, m_list->viewport()->height() / std::max(1, m_list->sizeHintForRow(0)));
        int row = -2;
        switch (key->key()) {
        case Qt::Key_Up:
            row = m_picked < 0 ? 0 : m_picked - 1;
            break;
        case Qt::Key_Down:
            row = m_picked + 1;
            break;
        case Qt::Key_PageUp:
            row = m_picked < 0 ? 0 : m_picked - page;
            break;
        case Qt::Key_PageDown:
            row = m_picked + page;
            break;
        default:
            break;
        }
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (row != -2 && count > 0 && plain) {
            pick(std::clamp(row, 0, count - 1));
            m_edit->selectAll();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace surface::qt
