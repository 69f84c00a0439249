// The one widget that shows the play area: background pattern and every tile, painted from
// the one source picture.
#pragma once

#include "platform/control_listener.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace zp {

class Platform;
class TileControls;
class PlayAreaControl;
class PictureClip;

class PlayAreaWidget : public QWidget, public ControlListener {
    Q_OBJECT
public:
    PlayAreaWidget(Platform& platform, TileControls& tiles, PlayAreaControl& area,
                   const PictureClip& clip, QWidget* parent);
    ~PlayAreaWidget() override;

    void setPattern(const QImage& pattern) { pattern_ = pattern; }
    // Called with the tile's element number on a press of any mouse button on a tile.
    std::function<void(int)> onTilePressed;

    // Pixel rectangle of a rectangle in play-area twips.
    QRect toPixels(const TwipsRect& r) const;

    void areaChanged(const TwipsRect& area) override;
    void allChanged() override;
    void geometryChanged() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintPattern(QPainter& p, const QRect& dirty);
    void paintTiles(QPainter& p, const QRect& dirty);

    Platform& platform_;
    TileControls& tiles_;
    PlayAreaControl& area_;
    const PictureClip& clip_;
    QImage pattern_;
};

} // namespace zp
