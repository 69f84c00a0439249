// SPDX-License-Identifier: MIT
// A puzzle file opened before the window is first shown: no time goes on slides that no one can see.
#include "tests/ui/window_test.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTimer>

using namespace zp;
using StartUp = test::WindowIn<>;

// A 32767 x 1 picture in 2 columns: tiles of 16383 pixels. 999 moves of tile 2 slide it 16.4 million
// pixels, which took 40 s step by step before the window showed. Tile 2 ends in the left slot, as after
// any odd number of moves; once the window shows, a move slides pixel by pixel again.
TEST_F(StartUp, AReplayBeforeTheWindowShowsSpendsNoTimeOnStepsNoOneCanSee)
{
    picture("wide.bmp", 32767, 1);
    const QString pzl =
        file("wide.pzl", "wide.bmp\r\n2\r\n1\r\n 999 \r\n" + QByteArray(" 2 \r\n").repeated(999));
    QElapsedTimer replay;
    replay.start();
    form.Form_Load({pzl});
    EXPECT_LT(replay.elapsed(), 10000);
    const double tppx = platform.twipsPerPixelX();
    EXPECT_EQ(form.Image1().left(2), 0);
    EXPECT_EQ(form.game().EmptyLeft, toTwips(16383, tppx));
    EXPECT_EQ(form.game().history.MoveCount(), 999);
    form.show();
    QSet<float> places;
    QTimer watch;
    watch.callOnTimeout([&] { places << form.Image1().left(2); });
    watch.start(0);
    ASSERT_TRUE(form.game().MoveTile(2));
    EXPECT_GT(places.size(), 100);
}
