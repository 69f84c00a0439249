// SPDX-License-Identifier: MIT
// A whole game on fake controls: the engine as the window would drive it, without a display.
#pragma once

#include "engine/form_frame.h"
#include "engine/size_fields.h"
#include "platform/picture_clip.h"
#include "platform/picture_loader.h"
#include "platform/play_area_control.h"
#include "tests/fake/board_check.h"
#include "tests/fake/fake_platform.h"

#include <QSize>

#include <map>
#include <memory>

namespace zp::test {

struct FakePicture : Picture {
    FakePicture(int w, int h) : w_(w), h_(h) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    int w_, h_;
};

// Pictures known by path and size; any other path fails as a missing file would.
struct FakeLoader : PictureLoader {
    std::map<QString, QSize> pictures;
    Result<PicturePtr> load(const QString& path) override
    {
        if (!pictures.count(path))
            return Refusal{QStringLiteral("no such picture")};
        return PicturePtr(std::make_shared<FakePicture>(pictures[path].width(), pictures[path].height()));
    }
};

struct FakeFormFrame : FormFrame {
    float outer = 7824, y1 = 1368, y2 = 4860, patternW = 960, patternH = 960;
    float outerWidth() const override { return outer; }
    float line6Y1() const override { return y1; }
    float line6Y2() const override { return y2; }
    float patternWidth() const override { return patternW; }
    float patternHeight() const override { return patternH; }
};

struct FakeSizeFields : SizeFields {
    QString cols = "4", rows = "4";
    QString columnsText() const override { return cols; }
    QString rowsText() const override { return rows; }
    void setColumnsText(const QString& t) override { cols = t; }
    void setRowsText(const QString& t) override { rows = t; }
};

struct FakeBoard {
    FakePlatform platform;
    TileControls tiles;
    PlayAreaControl playArea;
    PictureClip clip;
    FakeFormFrame form;
    FakeSizeFields size;
    Game game{GameParts{platform, tiles, playArea, clip, form, size}};

    // Builds a cols x rows board from a w x h picture from the file `path`.
    bool build(int w, int h, const QString& cols = "4", const QString& rows = "4", const QString& path = {})
    {
        size.cols = cols, size.rows = rows;
        return bool(game.newPuzzleFrom(std::make_shared<FakePicture>(w, h), path));
    }
    // The game, the size dialog's texts, the play area and the picture cut.
    GameSnapshot snapshot() const
    {
        const TwipsRect a = playArea.rect();
        const QRect c = clip.cellRect(1);   // its far corner tells the grid
        GameSnapshot s = snapshotOf(game, tiles);
        s.texts << size.cols << size.rows
                << QString::asprintf("%g %g %g %g", a.left, a.top, a.width, a.height)
                << QString::asprintf("%d,%d %p", c.right(), c.bottom(), clip.picture().get());
        return s;
    }
    QString fault() const { return boardFault(game, tiles, platform.tppx, platform.tppy); }
};

}   // namespace zp::test
