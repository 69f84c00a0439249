// Awkward and broken pictures: each loads and is playable, or is refused with the message
// and leaves the game in play as it was, through "Other Image" and through a puzzle file.
#include "files/puzzle_files.h"
#include "platform/qt/qt_picture.h"
#include "tests/fake/board_check.h"
#include "tests/ui/scripted.h"
#include "ui/form1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

using namespace zp;
using zp::test::ScriptedDialog;
using zp::test::ScriptedPlatform;

namespace {

// The corpus made by tools/make_hostile_pictures.py, beside these tests.
const QString HostileDir = QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath("../data/hostile");
const QString RunTimeFolder = QStringLiteral("x.jpg");   // a folder with a picture's name

struct Hostile {
    QString name;
    std::optional<QSize> loads;   // the picture's size, or none: refused
    QString line;                 // the manifest line, for a malformed one
};

// Test names show the manifest line.
void PrintTo(const Hostile& h, std::ostream* os) { *os << h.line.toStdString(); }

// The manifest's entries, and the folder made at run time.
std::vector<Hostile> corpus()
{
    std::vector<Hostile> list;
    QFile file(HostileDir + "/manifest.txt");
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QStringList f = line.split(' ', Qt::SkipEmptyParts);
            const QStringList wh = f.value(2).split('x');
            std::optional<QSize> size;
            if (f.size() == 3 && f[1] == "loads" && wh.size() == 2)
                size = QSize(wh[0].toInt(), wh[1].toInt());
            list.push_back({f[0], size, line});
        }
    }
    list.push_back({RunTimeFolder, std::nullopt, RunTimeFolder + " refused"});
    return list;
}

std::string testName(const ::testing::TestParamInfo<Hostile>& info)
{
    return QString(info.param.name).replace(QRegularExpression("[^A-Za-z0-9]"), "_").toStdString();
}

// All that must stay as it was when a picture is refused.
struct GameInPlay {
    QString picturePath, cols, rows;
    std::vector<std::int16_t> history;
    std::vector<TwipsRect> tiles;
    float emptyLeft = 0, emptyTop = 0;
    QSize picture;
    bool saveEnabled = false;
    friend bool operator==(const GameInPlay&, const GameInPlay&) = default;
};

// A window playing a 4 x 4 game cut from intro.jpg, one move made, in a temporary folder
// that also holds a folder named x.jpg.
class HostilePicture : public ::testing::TestWithParam<Hostile> {
protected:
    QTemporaryDir dir;
    QString oldCwd = QDir::currentPath();
    ScriptedPlatform platform;
    QtPictureLoader loader;
    ScriptedDialog dialog;
    std::unique_ptr<Form1> form;

    void SetUp() override
    {
        QDir::setCurrent(dir.path());
        QImage intro(160, 120, QImage::Format_RGB32);
        intro.fill(Qt::darkCyan);
        ASSERT_TRUE(intro.save(dir.filePath("intro.jpg")));
        ASSERT_TRUE(QDir(dir.path()).mkdir(RunTimeFolder));
        form = std::make_unique<Form1>(platform, loader, &dialog);
        form->Form_Load({});
        ASSERT_TRUE(form->game().MoveTile(2));
        ASSERT_TRUE(platform.messages.empty());
    }
    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(oldCwd);
    }

    QString path() const
    {
        const QString name = GetParam().name;
        return name == RunTimeFolder ? dir.filePath(name) : HostileDir + "/" + name;
    }
    // Whether the picture can be cut into the 4 x 4 board of the game in play.
    bool cuttable() const
    {
        const auto& size = GetParam().loads;
        return size && size->width() >= 4 && size->height() >= 4;
    }
    GameInPlay gameInPlay() const
    {
        Game& g = form->game();
        GameInPlay s{g.PicturePath, g.Cols, g.Rows, g.history.entries(), {}, g.EmptyLeft, g.EmptyTop,
                     QSize(form->PictureClip1().width(), form->PictureClip1().height()),
                     form->button(4)->isEnabled()};
        for (int k = 0; k < form->Image1().end(); ++k)
            if (form->Image1().exists(k))
                s.tiles.push_back(form->Image1()[k].rect);
        return s;
    }
    QString fault() { return test::boardFault(form->game(), form->Image1(), 15, 15); }

    // The picture became the board: no message, the right size, and a tile next to the
    // empty slot (tile `next`) moves.
    void expectPlayable(std::int16_t next)
    {
        EXPECT_TRUE(platform.messages.empty()) << qPrintable(platform.messages.front().text);
        EXPECT_EQ(QSize(form->PictureClip1().width(), form->PictureClip1().height()), *GetParam().loads);
        EXPECT_EQ(form->game().PicturePath, path());
        EXPECT_TRUE(form->button(4)->isEnabled());
        EXPECT_TRUE(form->game().MoveTile(next));
        EXPECT_EQ(fault(), "");
    }
    void expectTheMessageAlone()
    {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, CannotFindMessage);
        EXPECT_EQ(platform.messages[0].style, MsgStyle::Critical);
    }
};

TEST(HostileCorpus, ManifestListsEveryFileWithAWellFormedOutcome)
{
    const std::vector<Hostile> list = corpus();
    ASSERT_GT(list.size(), 15u);
    QStringList listed;
    for (const Hostile& h : list) {
        listed << h.name;
        EXPECT_TRUE(h.loads || h.line == h.name + " refused") << qPrintable(h.line);
    }
    for (const QString& file : QDir(HostileDir).entryList(QDir::Files))
        EXPECT_TRUE(file == "manifest.txt" || listed.contains(file)) << qPrintable(file);
    for (const Hostile& h : list)
        EXPECT_TRUE(h.name == RunTimeFolder || QFileInfo(HostileDir + "/" + h.name).isFile()) << qPrintable(h.name);
}

TEST_P(HostilePicture, LoaderGivesTheManifestsOutcome)
{
    const LoadedPicture loaded = loadPicture(path());
    if (GetParam().loads) {
        ASSERT_TRUE(loaded.picture) << qPrintable(loaded.reason);
        EXPECT_EQ(QSize(loaded.picture->width(), loaded.picture->height()), *GetParam().loads);
    } else {
        EXPECT_FALSE(loaded.picture);
        EXPECT_FALSE(loaded.reason.isEmpty());
    }
}

TEST_P(HostilePicture, OtherImageLoadsItOrLeavesTheGameAsItWas)
{
    const GameInPlay before = gameInPlay();
    dialog.answers = {path()};
    form->Command5_Click();
    if (cuttable()) {
        EXPECT_TRUE(form->game().history.entries().empty());
        expectPlayable(2);
        return;
    }
    expectTheMessageAlone();
    EXPECT_EQ(gameInPlay(), before);
}

TEST_P(HostilePicture, PuzzleFileNamingItOpensOrLeavesTheGameAsItWas)
{
    // One move: tile 2 goes left; tile 3 is then next to the empty slot.
    QFile game(dir.filePath("game.pzl"));
    ASSERT_TRUE(game.open(QIODevice::WriteOnly));
    game.write((path() + "\r\n4\r\n4\r\n 1 \r\n 2 \r\n").toUtf8());
    game.close();
    GameInPlay before = gameInPlay();
    dialog.answers = {game.fileName()};
    form->Command2_Click();
    if (cuttable()) {
        EXPECT_EQ(form->game().history.entries(), std::vector<std::int16_t>{2});
        expectPlayable(3);
        return;
    }
    expectTheMessageAlone();
    before.saveEnabled = true;   // "Open" enables Save whether or not the file could be read
    EXPECT_EQ(gameInPlay(), before);
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostilePicture, ::testing::ValuesIn(corpus()), testName);

// A BMP of `width` x `height` pixels by its header alone: the pixel data is missing.
QString bmpHeader(const QTemporaryDir& dir, int width, int height)
{
    QFile one(HostileDir + "/one.bmp");
    EXPECT_TRUE(one.open(QIODevice::ReadOnly));
    QByteArray bytes = one.read(54);
    for (const auto& [at, value] : {std::pair{18, width}, std::pair{22, height}})
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xff);
    QFile file(dir.filePath(QString("%1x%2.bmp").arg(width).arg(height)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

// None of these has the pixels its header claims, so only the header can have refused them.
TEST(HostileLoader, HeadersClaimingTooMuchAreRefusedBeforeDecoding)
{
    QTemporaryDir dir;
    // A side above 32767 pixels, a picture above the allocation limit with sides below it,
    // and the corpus's 40000 x 40000 GIF. (Its 40000 x 40000 BMP never gets this far: Qt's
    // BMP reader rejects any header above 16384 x 16384 pixels itself, as the manifest test
    // shows.)
    const QStringList paths = {bmpHeader(dir, 40000, 1), bmpHeader(dir, 6000, 6000),
                               HostileDir + "/huge.gif"};
    for (const QString& p : paths) {
        const LoadedPicture loaded = loadPicture(p);
        EXPECT_FALSE(loaded.picture) << qPrintable(p);
        EXPECT_TRUE(loaded.reason.contains("too large")) << qPrintable(p + ": " + loaded.reason);
    }
}

// Image `n` of a file, counted from 0: a TIFF's pages are jumped to, a GIF's frames come one
// read after the other.
QImage imageNumber(const QString& path, int n)
{
    QImageReader reader(path);
    if (!reader.jumpToImage(n))
        for (int i = 0; i < n; ++i)
            reader.read();
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

TEST(HostileLoader, AnimatedGifAndMultiPageTiffGiveTheirFirstImage)
{
    for (const QString name : {"animated.gif", "multipage.tiff"}) {
        const QImage first = imageNumber(HostileDir + "/" + name, 0);
        const QImage second = imageNumber(HostileDir + "/" + name, 1);
        ASSERT_FALSE(second.isNull()) << qPrintable(name);
        ASSERT_TRUE(first != second) << qPrintable(name);
        const LoadedPicture loaded = loadPicture(HostileDir + "/" + name);
        ASSERT_TRUE(loaded.picture) << qPrintable(name);
        EXPECT_TRUE(loaded.picture->image().convertToFormat(QImage::Format_RGB32) == first) << qPrintable(name);
    }
}

} // namespace
