// SPDX-License-Identifier: MIT
// Arrow keys on the play area become tile presses.
#include "ui/arrow_keys.h"

#include "engine/arrow_key.h"
#include "engine/game.h"

#include <QKeyEvent>
#include <QWidget>

#include <optional>

namespace zp {

namespace {
std::optional<Arrow> arrowOf(int key)
{
    switch (key) {
    case Qt::Key_Left: return Arrow::Left;
    case Qt::Key_Right: return Arrow::Right;
    case Qt::Key_Up: return Arrow::Up;
    case Qt::Key_Down: return Arrow::Down;
    default: return std::nullopt;
    }
}
}   // namespace

ArrowKeys::ArrowKeys(Game& game, const TileControls& tiles, QWidget* playArea)
    : QObject(playArea), game_(game), tiles_(tiles), playArea_(playArea)
{
    playArea->installEventFilter(this);
}

bool ArrowKeys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (const auto arrow = arrowOf(static_cast<QKeyEvent*>(event)->key())) {
            if (const std::int16_t k =
                    tileForArrow(tiles_, game_.board().EmptyLeft, game_.board().EmptyTop, *arrow))
                game_.pressTile(k);
            return true;
        }
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Move:
    case QEvent::Resize:
        if (QWidget* window = playArea_->parentWidget())
            window->update();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

}   // namespace zp
