// SPDX-License-Identifier: MIT
// Painting the play area and taking presses on its tiles.
#include "platform/qt/play_area_widget.h"

#include "platform/picture_clip.h"
#include "platform/platform.h"
#include "platform/play_area_control.h"
#include "platform/qt/qt_picture.h"
#include "platform/tile_controls.h"
#include "platform/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace zp {

namespace {
// Logical coordinates that should be whole may come out of a division a hair off.
int floorOf(double v) { return int(std::floor(v + 1e-9)); }
int ceilOf(double v) { return int(std::ceil(v - 1e-9)); }
}   // namespace

QRect logicalCover(const QRect& device, double ratio)
{
    return QRect(QPoint(floorOf(device.left() / ratio), floorOf(device.top() / ratio)),
                 QPoint(ceilOf((device.right() + 1) / ratio) - 1, ceilOf((device.bottom() + 1) / ratio) - 1));
}

PlayAreaWidget::PlayAreaWidget(Platform& platform, TileControls& tiles, PlayAreaControl& area,
                               const PictureClip& clip, QWidget* parent)
    : QWidget(parent), platform_(platform), tiles_(tiles), area_(area), clip_(clip), pacer_(platform, *this)
{
    tiles_.setListener(&pacer_);
    area_.setListener(this);
    geometryChanged();
}

PlayAreaWidget::~PlayAreaWidget()
{
    tiles_.setListener(nullptr);
    area_.setListener(nullptr);
}

// Edges, not sizes, are rounded: neighbouring tiles then meet without gap or overlap.
QRect PlayAreaWidget::Scale::pixels(const TwipsRect& r) const
{
    const long l = toPixels(r.left, tx), t = toPixels(r.top, ty);
    return QRect(int(l), int(t), int(toPixels(r.left + r.width, tx) - l),
                 int(toPixels(r.top + r.height, ty) - t));
}

PlayAreaWidget::Scale PlayAreaWidget::scale() const
{
    Scale s{platform_.twipsPerPixelX(), platform_.twipsPerPixelY(), devicePixelRatioF(), {}};
    s.board = s.pixels(area_.rect());
    return s;
}

QRect PlayAreaWidget::devicePixels(const TwipsRect& r) const { return scale().pixels(r); }

QRect PlayAreaWidget::board() const { return scale().board; }

// The logical rectangle of this widget that covers the given board pixels.
QRect PlayAreaWidget::covering(const Scale& s, const QRect& boardPixels) const
{
    return logicalCover(boardPixels.translated(s.board.topLeft()), s.ratio).translated(-pos());
}

// The board pixels that a logical rectangle of this widget touches.
QRect PlayAreaWidget::boardPixelsOf(const Scale& s, const QRect& logical) const
{
    const QRect w = logical.translated(pos());
    const double r = s.ratio;
    return QRect(QPoint(floorOf(w.left() * r), floorOf(w.top() * r)),
                 QPoint(ceilOf((w.right() + 1) * r) - 1, ceilOf((w.bottom() + 1) * r) - 1))
        .translated(-s.board.topLeft());
}

// The widget's rectangle that covers `area`, with a pixel to spare for rounding.
QRect PlayAreaWidget::coveringArea(const TwipsRect& area) const
{
    const Scale s = scale();
    return covering(s, s.pixels(area).adjusted(-1, -1, 1, 1));
}

void PlayAreaWidget::areaChanged(const TwipsRect& area) { update(coveringArea(area)); }

void PlayAreaWidget::paintNow(const TwipsRect& area) { repaint(coveringArea(area)); }

void PlayAreaWidget::allChanged() { update(); }

// Where the widget covers the board exactly it paints every pixel itself; elsewhere the
// window shows in the margin, so it is painted first.
void PlayAreaWidget::geometryChanged()
{
    const Scale s = scale();
    const QRect whole(QPoint(), s.board.size());
    setGeometry(covering(s, whole).translated(pos()));
    setAttribute(Qt::WA_OpaquePaintEvent, boardPixelsOf(s, rect()) == whole);
    update();
}

// The painter is set to board pixels: one unit is one device pixel and (0, 0) is the board's
// top-left corner, placed on a whole device pixel from the window's origin, whatever the
// fractional device offset of this widget.
void PlayAreaWidget::paintEvent(QPaintEvent* event)
{
    // Read at every paint: the window may have gone to a screen of another refresh rate.
    if (const QScreen* screen = this->screen())
        pacer_.setRefreshRate(screen->refreshRate());
    const Scale s = scale();
    QPainter p(this);
    const QTransform toDevice = p.deviceTransform();
    const QPointF windowOrigin = toDevice.map(QPointF(-pos()));
    const QPointF origin(std::round(windowOrigin.x()) + s.board.left() - toDevice.dx(),
                         std::round(windowOrigin.y()) + s.board.top() - toDevice.dy());
    p.setWorldTransform(QTransform::fromTranslate(origin.x(), origin.y()) *
                        QTransform::fromScale(1 / s.ratio, 1 / s.ratio));
    const QRect dirty = boardPixelsOf(s, event->rect()) & QRect(QPoint(), s.board.size());
    p.fillRect(dirty, palette().window());
    paintPattern(p, s, dirty);
    paintTiles(p, s, dirty);
}

// Copies of the pattern abut from (0, 0); only those that meet the dirty rectangle are drawn.
void PlayAreaWidget::paintPattern(QPainter& p, const Scale& s, const QRect& dirty)
{
    const PatternCover& cover = area_.pattern();
    if (pattern_.isNull() || cover.columns <= 0 || cover.rows <= 0)
        return;
    const QRect cell = s.pixels({0, 0, cover.patternWidth, cover.patternHeight});
    if (cell.width() <= 0 || cell.height() <= 0 || dirty.isEmpty())
        return;
    if (!testAttribute(Qt::WA_OpaquePaintEvent))
        p.setClipRect(QRect(QPoint(), s.board.size()));   // the margin shows the window
    const int i0 = std::max(0, dirty.left() / cell.width());
    const int i1 = std::min(cover.columns - 1, dirty.right() / cell.width());
    const int j0 = std::max(0, dirty.top() / cell.height());
    const int j1 = std::min(cover.rows - 1, dirty.bottom() / cell.height());
    for (int i = i0; i <= i1; ++i)
        for (int j = j0; j <= j1; ++j)
            p.drawImage(QPoint(i * cell.width(), j * cell.height()), pattern_);
}

void PlayAreaWidget::paintTiles(QPainter& p, const Scale& s, const QRect& dirty)
{
    const auto* picture = dynamic_cast<const QtPicture*>(clip_.picture().get());
    if (!picture)
        return;
    const TwipsRect area{float(dirty.left() * s.tx), float(dirty.top() * s.ty), float(dirty.width() * s.tx),
                         float(dirty.height() * s.ty)};
    tiles_.forEachVisibleIn(area, [&](int k) {
        const TileRecord& t = tiles_[k];
        if (t.cell >= 0)
            p.drawImage(s.pixels(t.rect), picture->image(), clip_.cellRect(t.cell));
    });
}

// A press outside the board (in the covering margin) goes on to the window.
void PlayAreaWidget::mousePressEvent(QMouseEvent* event)
{
    const Scale s = scale();
    const QPointF at = (event->position() + QPointF(pos())) * s.ratio - QPointF(s.board.topLeft());
    const QPoint pixel(int(std::floor(at.x())), int(std::floor(at.y())));
    if (!QRect(QPoint(), s.board.size()).contains(pixel)) {
        event->ignore();
        return;
    }
    const TwipsRect point{float((pixel.x() + 0.25) * s.tx), float((pixel.y() + 0.25) * s.ty), float(s.tx / 2),
                          float(s.ty / 2)};
    int pressed = -1;
    tiles_.forEachVisibleIn(point, [&](int k) { pressed = k; });
    event->accept();
    if (pressed >= 2 && onTilePressed)
        onTilePressed(pressed);
}

}   // namespace zp
