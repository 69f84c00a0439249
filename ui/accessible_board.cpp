// SPDX-License-Identifier: MIT
// The play area and its slots as accessible interfaces.
#include "ui/accessible_board.h"

#include "platform/qt/play_area_widget.h"
#include "ui/board_slots.h"

#include <QPointer>
#include <QWindow>

namespace zp {

namespace {

// One slot of the board: a table cell with the press action while its tile can move. Reads
// everything from the board's record, so it stays right as tiles move; invalid once the board
// has fewer slots or the play area is gone.
class AccessibleSlot : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface {
public:
    AccessibleSlot(BoardSlots& board, int slot) : slots_(&board), slot_(slot) {}

    bool isValid() const override { return slots_ && slot_ < slots_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        return slots_ ? slots_->playArea()->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        return slots_ ? QAccessible::queryAccessibleInterface(slots_->playArea()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QRect rect() const override { return isValid() ? slots_->screenRect(slot_) : QRect(); }
    void setText(QAccessible::Text, const QString&) override {}
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        return t == QAccessible::Name       ? slots_->name(slot_)
            : t == QAccessible::Description ? slots_->description(slot_)
                                            : QString();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = isValid() && slot_ == slots_->emptySlot() && slots_->playArea()->hasFocus();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return isValid() ? slot_ % slots_->columns() : -1; }
    int rowIndex() const override { return isValid() ? slot_ / slots_->columns() : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override
    {
        return isValid() && slots_->canMove(slot_) ? QStringList{pressAction()} : QStringList();
    }
    // The way a click goes: the game's rules for a busy board decide.
    void doAction(const QString& action) override
    {
        if (isValid() && action == pressAction())
            slots_->press(slot_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<BoardSlots> slots_;
    int slot_;
};

QAccessibleInterface* boardFactory(const QString& key, QObject* object)
{
    if (key != QLatin1String(PlayAreaWidget::staticMetaObject.className()))
        return nullptr;
    return new AccessibleBoard(static_cast<QWidget*>(object));
}

}   // namespace

AccessibleBoard::AccessibleBoard(QWidget* playArea) : QAccessibleWidget(playArea, QAccessible::Table) {}

AccessibleBoard::~AccessibleBoard() { dropCells(); }

// Looked up at each use: Qt may ask for the play area's interface before the window has made its
// record of the slots, and keeps the interface it got.
BoardSlots* AccessibleBoard::board() const
{
    return widget()->findChild<BoardSlots*>(QString(), Qt::FindDirectChildrenOnly);
}

void AccessibleBoard::dropCells() const
{
    for (QAccessible::Id id : cells_)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

QString AccessibleBoard::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return QStringLiteral("Puzzle board");
    if (t == QAccessible::Description && childCount() > 0)
        return QStringLiteral("%1 %2, %3 %4")
            .arg(columnCount())
            .arg(columnCount() == 1 ? "column" : "columns")
            .arg(rowCount())
            .arg(rowCount() == 1 ? "row" : "rows");
    return QAccessibleWidget::text(t);
}

int AccessibleBoard::childCount() const { return board() ? board()->count() : 0; }

QAccessibleInterface* AccessibleBoard::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (cellsOfBoard_ != board()->boardNumber()) {
        dropCells();
        cellsOfBoard_ = board()->boardNumber();
    }
    cells_.resize(std::max(cells_.size(), std::size_t(index) + 1));
    if (!cells_[index])
        cells_[index] = QAccessible::registerAccessibleInterface(new AccessibleSlot(*board(), index));
    return QAccessible::accessibleInterface(cells_[index]);
}

int AccessibleBoard::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    const int index = cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
    return index >= 0 && this->child(index) == child ? index : -1;
}

QAccessibleInterface* AccessibleBoard::focusChild() const
{
    if (childCount() > 0 && widget()->hasFocus())
        return child(board()->emptySlot());
    return QAccessibleWidget::focusChild();
}

void* AccessibleBoard::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* AccessibleBoard::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child(row * columnCount() + column);
}

int AccessibleBoard::columnCount() const { return board() ? board()->columns() : 0; }

int AccessibleBoard::rowCount() const { return board() ? board()->rows() : 0; }

void installAccessibleBoard() { QAccessible::installFactory(boardFactory); }

}   // namespace zp
