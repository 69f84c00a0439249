// SPDX-License-Identifier: MIT
// Awkward and broken pictures: each is playable, or refused with the message and the game left as it was;
// and photos stood upright by their EXIF orientation tag, as picture viewers do.
#include "platform/qt/qt_picture.h"
#include "tests/ui/window_test.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zp;
using namespace zp::test;

namespace {

// A picture file and its size when it loads (empty: refused).
struct Hostile {
    QString name;
    QSize loads;
};
void PrintTo(const Hostile& h, std::ostream* os) { *os << h.name.toStdString(); }

// The manifest's entries, then those made at run time: a folder with a picture's name and FIFOs, one
// without a writer and one fed a good picture.
std::vector<Hostile> corpus()
{
    QFile file(HostileDir + "/manifest.txt");
    std::vector<Hostile> list;
    for (const QString& line : QString(file.open(QIODevice::ReadOnly) ? file.readAll() : "").split('\n')) {
        const QStringList f = line.trimmed().split(' '),
                          wh = f.value(2).split('x');   // NAME loads WxH | NAME refused
        if (f.size() > 1 && !line.startsWith('#'))
            list.push_back({f[0], wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize()});
    }
    for (const QString name : {"x.jpg", "idle.jpg", "fed.jpg"})
        list.push_back({name, {}});
    return list;
}

// The warnings of the game's own categories (zp.*), "category: text", logged while it lives.
struct GameLog {
    inline static QStringList lines;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& c, const QString& text) {
            if (type == QtWarningMsg && QByteArray(c.category).startsWith("zp."))
                lines << QString::fromUtf8(c.category) + ": " + text;
        });
    ~GameLog() { qInstallMessageHandler(previous), lines.clear(); }
};

// In a temporary folder holding intro.jpg and the run-time entries, a 4 x 4 game of intro.jpg, one move made.
class HostilePicture : public WindowIn<::testing::TestWithParam<Hostile>> {
protected:
    const QString name = GetParam().name;
    int fifoWriter = -1;
    const QString path =
        QDir(QFile::exists(HostileDir + "/" + name) ? HostileDir : dir.path()).filePath(name);
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(HostileDir + "/progressive.jpg", "intro.jpg") && QDir().mkdir("x.jpg"));
        alarm(60);   // a loader that waits on a FIFO ends the run here instead of hanging it
        QFile good("intro.jpg");
        ASSERT_TRUE(mkfifo("idle.jpg", 0600) == 0 && mkfifo("fed.jpg", 0600) == 0 &&
                    good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        fifoWriter = ::open("fed.jpg", O_RDWR);
        ASSERT_TRUE(fifoWriter >= 0 && ::write(fifoWriter, bytes.data(), bytes.size()) == bytes.size());
        form.Form_Load({});
        ASSERT_TRUE(form.game().MoveTile(2) && platform.messages.empty() && !saveEnabled());
    }
    void TearDown() override { alarm(0), ::close(fifoWriter); }
    // All that must stay as it was when a picture is refused, but the Save button.
    GameSnapshot gameInPlay()
    {
        GameSnapshot s = snapshotOf(form.game(), tiles());
        s.texts << QString("%1 x %2").arg(form.PictureClip1().width()).arg(form.PictureClip1().height());
        return s;
    }
};

// The loader gives the picture's outcome and first image, refusing claims too large by the header (Qt's
// BMP reader itself rejects huge.bmp, above 16384 x 16384). Through Other Image, then
// a puzzle file naming it (one move: tile 2 goes left, then tile 3 is by the empty slot), a picture that
// can be cut into the 4 x 4 board is playable; any other gives the message alone, the game left as it was,
// and its reason once in the log of what was refused: the picture chosen, or the puzzle file.
TEST_P(HostilePicture, IsPlayableOrRefusedWithAReason)
{
    const QSize size = GetParam().loads;
    const auto loaded = loadPicture(path);
    EXPECT_EQ(loaded ? (*loaded)->image().size() : QSize(), size);
    EXPECT_TRUE(!name.startsWith("huge") || name == "huge.bmp" || loaded.reason().contains("too large"));
    const bool whole = loaded && !name.startsWith("truncated");   // else missing pixels are undefined
    QImageReader upright(path);
    upright.setAutoTransform(true);
    EXPECT_TRUE(!whole || (*loaded)->image() == upright.read().convertToFormat(QImage::Format_RGB32));
    const QString game = file("game.pzl", (path + "\r\n4\r\n4\r\n 1 \r\n 2 \r\n").toUtf8());
    const auto before = gameInPlay();
    for (const bool viaPuzzleFile : {false, true}) {
        SCOPED_TRACE(viaPuzzleFile ? "through a puzzle file" : "through Other Image");
        platform.messages.clear();
        dialog.answers = {viaPuzzleFile ? game : path};
        const GameLog log;
        viaPuzzleFile ? form.Command2_Click() : form.Command5_Click();
        if (size.width() >= 4 && size.height() >= 4) {
            EXPECT_TRUE(platform.messages.empty() && log.lines.isEmpty()) << qPrintable(log.lines.join('\n'));
            EXPECT_EQ(QSize(form.PictureClip1().width(), form.PictureClip1().height()), size);
            EXPECT_TRUE(saveEnabled() && moves() == Moves(viaPuzzleFile, 2));   // [] or [2]
            EXPECT_TRUE(form.game().MoveTile(viaPuzzleFile ? 3 : 2));
            EXPECT_EQ(boardFault(form.game(), tiles(), 15, 15), "");
            continue;
        }
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text == CannotFindText &&
                    platform.messages[0].style == MsgStyle::Critical);
        EXPECT_TRUE(gameInPlay() == before && saveEnabled() == viaPuzzleFile);
        const QString what = viaPuzzleFile ? "zp.files: cannot open \"" + game
                                           : "zp.pictures: cannot use the picture \"" + path;
        const QString why =
            loaded ? QString("%1 x %2 pixels").arg(size.width()).arg(size.height()) : loaded.reason();
        EXPECT_TRUE(log.lines.size() == 1 && log.lines[0].startsWith(what + '"') &&
                    log.lines[0].contains(why))
            << qPrintable(log.lines.join('\n'));
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostilePicture, ::testing::ValuesIn(corpus()), [](const auto& info) {
    return QString(info.param.name).replace('.', '_').toStdString();
});

// A 48 x 32 grey JPEG, red in its stored top-left 16 x 16 pixels, tagged with an orientation (from the
// corpus): name, file, upright size, and where the red corner is: 2 pixels in (clear of the JPEG's blur)
// from the corner the stored top left shows in. By the tag's definition, value: where the stored
// picture's row 0 and column 0 show.
using Tagged = std::tuple<const char*, const char*, QSize, QPoint>;
const Tagged Tags[] = {
    {"Orientation1", "tagged1.jpg", {48, 32}, {2, 2}},    // row 0 at the top, column 0 at the left: as stored
    {"Orientation2", "tagged2.jpg", {48, 32}, {45, 2}},   // top, right: mirrored
    {"Orientation3", "tagged3.jpg", {48, 32}, {45, 29}},   // bottom, right: upside down
    {"Orientation4", "tagged4.jpg", {48, 32}, {2, 29}},    // bottom, left: flipped
    {"Orientation5", "tagged5.jpg", {32, 48}, {2, 2}},     // left, top: transposed
    {"Orientation6",
     "tagged6.jpg",
     {32, 48},
     {29, 2}},   // right, top: a phone's portrait photo, turned right
    {"Orientation7", "tagged7.jpg", {32, 48}, {29, 45}},       // right, bottom
    {"Orientation8", "tagged8.jpg", {32, 48}, {2, 45}},        // left, bottom: turned left
    {"AbsurdOrientation0", "tagged0.jpg", {48, 32}, {2, 2}},   // no such value: as stored
    {"AbsurdOrientation9", "tagged9.jpg", {48, 32}, {2, 2}},
    {"DirectoryPastTheBlock", "tagged_broken.jpg", {48, 32}, {2, 2}},   // broken: as stored
};

class PictureOrientation : public ::testing::TestWithParam<Tagged> {};

TEST_P(PictureOrientation, APhotoStandsUprightByItsTag)
{
    const auto [name, file, upright, red] = GetParam();
    const auto loaded = loadPicture(HostileDir + '/' + file);
    ASSERT_TRUE(loaded) << qPrintable(loaded.reason());
    const QColor c = (*loaded)->image().pixelColor(red);
    EXPECT_EQ((*loaded)->image().size(), upright);
    EXPECT_TRUE(c.red() > 200 && c.green() < 60 && c.blue() < 60) << c.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tags, PictureOrientation, ::testing::ValuesIn(Tags),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

}   // namespace
