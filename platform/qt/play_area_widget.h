// SPDX-License-Identifier: MIT
// The one widget that shows the play area: background pattern and every tile, painted from
// the one source picture, one picture pixel on one device pixel.
#pragma once

#include "platform/frame_pacer.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace zp {

class Platform;
class TileControls;
class PlayAreaControl;
class PictureClip;

// The smallest rectangle of logical pixels that covers `device`, a rectangle of device pixels,
// at `ratio` device pixels to the logical pixel. Requires ratio > 0.
QRect logicalCover(const QRect& device, double ratio);

// A child of the window whose client twips the play area's place is given in. The board is
// painted in device pixels at whole device-pixel offsets from the window's origin; the
// widget's own (logical) rectangle is the smallest that covers them, so at a fractional device
// pixel ratio it may reach up to one logical pixel past the board, where the window shows.
// The tiles' changes reach it through a FramePacer, at most once per frame of its screen.
class PlayAreaWidget : public QWidget, public PacedView {
    Q_OBJECT
public:
    PlayAreaWidget(Platform& platform, TileControls& tiles, PlayAreaControl& area, const PictureClip& clip,
                   QWidget* parent);
    ~PlayAreaWidget() override;

    void setPattern(const QImage& pattern) { pattern_ = pattern; }
    // Called with the tile's element number on a press of any mouse button on a tile.
    std::function<void(int)> onTilePressed;

    // Device-pixel rectangle of a rectangle in play-area twips, relative to the board's
    // top-left corner.
    QRect devicePixels(const TwipsRect& r) const;
    // The board in the window's device pixels.
    QRect board() const;

    // A move has landed: its last position is painted before this returns.
    void moveLanded() { pacer_.moveLanded(); }

    void areaChanged(const TwipsRect& area) override;
    void allChanged() override;
    void geometryChanged() override;
    void paintNow(const TwipsRect& area) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The screen's factors and the board's place, read once for each event.
    struct Scale {
        double tx, ty, ratio;
        QRect board;
        QRect pixels(const TwipsRect& r) const;
    };
    Scale scale() const;
    QRect covering(const Scale& s, const QRect& boardPixels) const;
    QRect boardPixelsOf(const Scale& s, const QRect& logical) const;
    QRect coveringArea(const TwipsRect& area) const;
    void paintPattern(QPainter& p, const Scale& s, const QRect& dirty);
    void paintTiles(QPainter& p, const Scale& s, const QRect& dirty);

    Platform& platform_;
    TileControls& tiles_;
    PlayAreaControl& area_;
    const PictureClip& clip_;
    QImage pattern_;
    FramePacer pacer_;
};

}   // namespace zp
