// SPDX-License-Identifier: MIT
// Opening a puzzle file whose picture path is from another computer: the picture beside it.
#include "files/puzzle_files.h"

#include "platform/picture_loader.h"
#include "tests/fake/fake_board.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

// Anything that exists loads, folders too, so a candidate outside the puzzle's folder would show; only a
// file with bytes in it is no picture.
class ExistingLoader : public PictureLoader {
    Result<PicturePtr> load(const QString& path) override
    {
        const QFileInfo file(path);
        if (file.exists() && file.size() == 0)
            return PicturePtr(std::make_shared<test::FakePicture>(400, 400));
        return Refusal{u"no picture"_s};
    }
};

struct Case {
    const char* name;
    QByteArray line1;
    // Made under the temporary folder, "!" first: no picture. The puzzle file is game/g.pzl.
    QStringList files;
    QString picture;   // PicturePath afterwards, under the folder; empty: the file is refused
};

TEST(PictureBeside, IsFoundByNameThenRegardlessOfCaseAndNeverOutsideThePuzzlesFolder)
{
    const QByteArray windows1250 = "C:\\Obr\xE1zky\\Lo\xEF.jpg";   // "C:\Obrázky\Loď.jpg"
    const Case cases[] = {
        {"SameName", windows1250, {u"game/Loď.jpg"_s, u"game/LOĎ.JPG"_s}, u"game/Loď.jpg"_s},
        {"OtherCase", windows1250, {u"game/LOĎ.JPG"_s}, u"game/LOĎ.JPG"_s},
        {"SameNameNoPicture", windows1250, {u"!game/Loď.jpg"_s, u"game/LOĎ.JPG"_s}, {}},
        {"PosixPath", "/home/player/Pictures/boat.jpg", {u"game/boat.jpg"_s}, u"game/boat.jpg"_s},
        {"RecordedPathWins", "@/pics/boat.jpg", {u"pics/boat.jpg"_s, u"game/boat.jpg"_s}, u"pics/boat.jpg"_s},
        {"DotDot", "C:\\pics\\..", {u"game/x"_s}, {}},
        {"NoName", "/pics/", {u"game/x"_s}, {}},
        {"FolderPart", "..\\secret.jpg", {u"secret.jpg"_s, u"game/x"_s}, {}},
        {"NowhereAtAll", windows1250, {u"game/Lod.jpg"_s}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        for (const QString& f : c.files) {
            QFile file(dir.filePath(QString(f).remove(u'!')));
            ASSERT_TRUE(QDir(dir.path()).mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly));
            file.write(f.startsWith(u'!') ? "no picture" : "");
        }
        QFile pzl(dir.filePath(u"game/g.pzl"_s));
        ASSERT_TRUE(pzl.open(QIODevice::WriteOnly));
        pzl.write(QByteArray(c.line1).replace("@", dir.path().toUtf8()) + "\r\n4\r\n4\r\n 1 \r\n 2 \r\n");
        pzl.close();
        test::FakeBoard b;
        ExistingLoader loader;
        PuzzleFiles(b.game, b.size, loader, b.platform).OpenPuzzle(pzl.fileName());
        EXPECT_EQ(b.game.board().PicturePath, c.picture.isEmpty() ? QString() : dir.filePath(c.picture));
        EXPECT_EQ(b.game.history().MoveCount(), c.picture.isEmpty() ? 0 : 1);
        EXPECT_EQ(b.platform.messages.size(), c.picture.isEmpty() ? 1u : 0u);
    }
}

}   // namespace
}   // namespace zp
