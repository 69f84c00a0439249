// SPDX-License-Identifier: MIT
// Which tile lies in each slot, kept with the moves, and the accessibility events they send.
#include "ui/board_slots.h"

#include "engine/game.h"
#include "engine/size_rule.h"
#include "platform/qt/play_area_widget.h"
#include "platform/tile_controls.h"

#include <QAccessibleEvent>

#include <algorithm>

namespace zp {

BoardSlots::BoardSlots(Game& game, const TileControls& tiles, PlayAreaWidget* playArea)
    : QObject(playArea), game_(game), tiles_(tiles), playArea_(playArea)
{
    game_.addObserver(*this);
    playArea_->installEventFilter(this);
}

BoardSlots::~BoardSlots() { game_.removeObserver(*this); }

bool BoardSlots::canMove(int slot) const
{
    const std::vector<int> around = neighbours(empty_);
    return std::find(around.begin(), around.end(), slot) != around.end();
}

QString BoardSlots::name(int slot) const
{
    const int k = tileAt_[slot];
    if (k == 0)
        return QStringLiteral("empty slot");
    return QStringLiteral("tile from row %1, column %2").arg((k - 1) / cols_ + 1).arg((k - 1) % cols_ + 1);
}

QString BoardSlots::description(int slot) const
{
    return canMove(slot) ? QStringLiteral("can move") : QString();
}

QRect BoardSlots::screenRect(int slot) const
{
    const float w = tiles_.width(0), h = tiles_.height(0);
    const TwipsRect twips{tiles_.left(0) + slot % cols_ * w, tiles_.top(0) + slot / cols_ * h, w, h};
    const QRect device = playArea_->devicePixels(twips).translated(playArea_->board().topLeft());
    const QRect logical = logicalCover(device, playArea_->devicePixelRatioF());
    QWidget* window = playArea_->parentWidget();
    return window ? logical.translated(window->mapToGlobal(QPoint())) : logical;
}

void BoardSlots::press(int slot) { game_.pressTile(tileAt_[slot]); }

// The tile went into the slot that was empty; the slot it left is the new empty slot. The slots
// around either (each of the two among them) are all whose texts may change: read before and after.
void BoardSlots::moveLanded(std::int16_t Index)
{
    if (game_.replaying() || tileAt_.empty())
        return;
    const int landed = empty_, vacated = slotAt(game_.board().EmptyLeft, game_.board().EmptyTop);
    std::vector<int> touched = neighbours(landed), more = neighbours(vacated);
    touched.insert(touched.end(), more.begin(), more.end());
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    std::vector<std::pair<QString, QString>> before;
    for (int s : touched)
        before.emplace_back(name(s), description(s));
    tileAt_[landed] = Index;
    tileAt_[vacated] = 0;
    empty_ = vacated;
    for (std::size_t i = 0; i < touched.size(); ++i) {
        if (name(touched[i]) != before[i].first)
            send(QAccessible::NameChanged, touched[i]);
        if (description(touched[i]) != before[i].second)
            send(QAccessible::DescriptionChanged, touched[i]);
    }
    if (playArea_->hasFocus())
        focusEmptySlot();
}

void BoardSlots::boardChanged()
{
    rebuild();
    // Two events, whatever the size: a reorder would tell of every cell, and Qt's AT-SPI bridge
    // sends one D-Bus signal per cell for it (and makes every cell), 32,761 for a 181 x 181
    // board. The table's cells are not cached by the reader (it manages its descendants), so
    // the reset and the board's description, which names the size, are news enough.
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent reset(playArea_, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
    }
    send(QAccessible::DescriptionChanged);
    if (playArea_->hasFocus())
        focusEmptySlot();
}

// Tiles at rest, read by their places on the grid of the base tile.
void BoardSlots::rebuild()
{
    cols_ = int(parseSizeText(game_.board().OldCols).value_or(0));
    rows_ = int(parseSizeText(game_.board().OldRows).value_or(0));
    tileAt_.assign(std::size_t(cols_) * rows_, 0);
    for (int k = 2; k <= count(); ++k)
        if (tiles_.exists(k))
            tileAt_[slotAt(tiles_.left(k), tiles_.top(k))] = std::int16_t(k);
    empty_ = tileAt_.empty() ? 0 : slotAt(game_.board().EmptyLeft, game_.board().EmptyTop);
    ++boardNumber_;
}

int BoardSlots::slotAt(float left, float top) const
{
    const long c = std::lround((left - tiles_.left(0)) / tiles_.width(0));
    const long r = std::lround((top - tiles_.top(0)) / tiles_.height(0));
    return int(r * cols_ + c);
}

std::vector<int> BoardSlots::neighbours(int slot) const
{
    const int r = slot / cols_, c = slot % cols_;
    std::vector<int> around;
    if (r > 0)
        around.push_back(slot - cols_);
    if (c > 0)
        around.push_back(slot - 1);
    if (c + 1 < cols_)
        around.push_back(slot + 1);
    if (r + 1 < rows_)
        around.push_back(slot + cols_);
    return around;
}

// Only while assistive technology listens: an event makes Qt build the board's interface.
void BoardSlots::send(QAccessible::Event type, int slot) const
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(playArea_, type);
    event.setChild(slot);
    QAccessible::updateAccessibility(&event);
}

void BoardSlots::focusEmptySlot() const
{
    if (!tileAt_.empty())
        send(QAccessible::Focus, empty_);
}

// Qt tells of the board's focus after the focus event; the empty slot's comes after that.
bool BoardSlots::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(
            this, [this] { focusEmptySlot(); }, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

}   // namespace zp
