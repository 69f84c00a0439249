// SPDX-License-Identifier: MIT
// The main window's input besides the mouse: arrow keys on the play area, dropped files, and
// assistive technology reading and playing the board.
#include "ui/form1.h"

#include "platform/qt/play_area_widget.h"
#include "ui/accessible_board.h"
#include "ui/arrow_keys.h"
#include "ui/board_slots.h"
#include "ui/file_drop.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace zp {

void Form1::wirePlayInput()
{
    Picture1_->setFocusPolicy(Qt::StrongFocus);   // by Tab, and by a click on the board
    new ArrowKeys(game_, Image1_, Picture1_);
    new FileDrop(*this);
    new BoardSlots(game_, Image1_, Picture1_);
    installAccessibleBoard();
}

// The play area shows no frame of its own: its outer size is the picture's.
void Form1::paintFocusFrame(QPainter& p)
{
    if (!Picture1_->hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = Picture1_->geometry().adjusted(-2, -2, 2, 2);
    // Styles hide a focus frame gained by a click; the board's tells where the arrow keys go.
    option.state |= QStyle::State_KeyboardFocusChange;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}

}   // namespace zp
