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

#include <algorithm>

namespace zp {

PlayAreaWidget::PlayAreaWidget(Platform& platform, TileControls& tiles, PlayAreaControl& area,
                               const PictureClip& clip, QWidget* parent)
    : QWidget(parent), platform_(platform), tiles_(tiles), area_(area), clip_(clip)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    tiles_.setListener(this);
    area_.setListener(this);
    geometryChanged();
}

PlayAreaWidget::~PlayAreaWidget()
{
    tiles_.setListener(nullptr);
    area_.setListener(nullptr);
}

// Edges, not sizes, are rounded: neighbouring tiles then meet without gap or overlap at any
// screen factor.
QRect PlayAreaWidget::toPixels(const TwipsRect& r) const
{
    const double tx = platform_.twipsPerPixelX(), ty = platform_.twipsPerPixelY();
    const long l = zp::toPixels(r.left, tx), t = zp::toPixels(r.top, ty);
    return QRect(int(l), int(t), int(zp::toPixels(r.left + r.width, tx) - l),
                 int(zp::toPixels(r.top + r.height, ty) - t));
}

void PlayAreaWidget::areaChanged(const TwipsRect& area) { update(toPixels(area).adjusted(-1, -1, 1, 1)); }

void PlayAreaWidget::allChanged() { update(); }

void PlayAreaWidget::geometryChanged()
{
    setGeometry(toPixels(area_.rect()));
    update();
}

void PlayAreaWidget::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    p.fillRect(dirty, palette().window());
    paintPattern(p, dirty);
    paintTiles(p, dirty);
}

// Copies of the pattern abut from (0, 0); only those that meet the dirty rectangle are drawn.
void PlayAreaWidget::paintPattern(QPainter& p, const QRect& dirty)
{
    const PatternCover& cover = area_.pattern();
    if (pattern_.isNull() || cover.columns <= 0 || cover.rows <= 0)
        return;
    const QRect cell = toPixels({0, 0, cover.patternWidth, cover.patternHeight});
    if (cell.width() <= 0 || cell.height() <= 0)
        return;
    const int i0 = std::max(0, dirty.left() / cell.width());
    const int i1 = std::min(cover.columns - 1, dirty.right() / cell.width());
    const int j0 = std::max(0, dirty.top() / cell.height());
    const int j1 = std::min(cover.rows - 1, dirty.bottom() / cell.height());
    for (int i = i0; i <= i1; ++i)
        for (int j = j0; j <= j1; ++j)
            p.drawImage(QPoint(i * cell.width(), j * cell.height()), pattern_);
}

void PlayAreaWidget::paintTiles(QPainter& p, const QRect& dirty)
{
    const auto* picture = dynamic_cast<const QtPicture*>(clip_.picture().get());
    if (!picture)
        return;
    const double tx = platform_.twipsPerPixelX(), ty = platform_.twipsPerPixelY();
    const TwipsRect area{float(dirty.left() * tx), float(dirty.top() * ty),
                         float(dirty.width() * tx), float(dirty.height() * ty)};
    tiles_.forEachVisibleIn(area, [&](int k) {
        const TileRecord& t = tiles_[k];
        if (t.cell >= 0)
            p.drawImage(toPixels(t.rect), picture->image(), clip_.cellRect(t.cell));
    });
}

void PlayAreaWidget::mousePressEvent(QMouseEvent* event)
{
    const double tx = platform_.twipsPerPixelX(), ty = platform_.twipsPerPixelY();
    const QPointF at = event->position();
    const TwipsRect point{float(at.x() * tx), float(at.y() * ty), float(tx / 2), float(ty / 2)};
    int pressed = -1;
    tiles_.forEachVisibleIn(point, [&](int k) { pressed = k; });
    event->accept();
    if (pressed >= 2 && onTilePressed)
        onTilePressed(pressed);
}

} // namespace zp
