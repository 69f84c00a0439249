// SPDX-License-Identifier: MIT
// The play area for assistive technology: a table of slots that a screen reader reads and plays.
#pragma once

#include <QAccessibleWidget>

#include <vector>

namespace zp {

class BoardSlots;

// "Puzzle board", described by its size ("4 columns, 4 rows"): a table whose children are the
// slots in reading order. Each slot is a cell that gives its row and column, is named by the tile
// in it (BoardSlots::name), and, if its tile can move, says so in its description and offers the
// press action, which presses the tile as a click does. While the board has the focus, the focus
// is on the empty slot.
class AccessibleBoard : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleBoard(QWidget* playArea);
    ~AccessibleBoard() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    // Nothing on the board is selected or selectable.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    BoardSlots* board() const;   // null until the window has made it
    void dropCells() const;

    // The cells of one board, made when first asked for, by slot; a new board gets new ones.
    mutable std::vector<QAccessible::Id> cells_;
    mutable int cellsOfBoard_ = -1;
};

// Lets Qt's accessibility build an AccessibleBoard for every play area; it reads the play area's
// BoardSlots child.
void installAccessibleBoard();

}   // namespace zp
