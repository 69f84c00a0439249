// Tests of the .pzl format: exact bytes written, what the reader accepts and what it refuses.
#include "files/puzzle_format.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

// A file made of `lines`, each ended by `end`.
QByteArray fileOf(std::initializer_list<QByteArray> lines, const QByteArray& end = "\r\n")
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + end;
    return out;
}

// A 3 x 3 file whose line 4 and later are `tail`.
QByteArray board3x3(std::initializer_list<QByteArray> tail)
{
    QByteArray out = fileOf({"boat.jpg", "3", "3"});
    return out + fileOf(tail);
}

PuzzleData data(QString path, QString cols, QString rows, std::vector<std::int16_t> moves)
{
    return {std::move(path), std::move(cols), std::move(rows), std::move(moves)};
}

void expectRefused(const QByteArray& bytes)
{
    const ReadResult result = readPuzzle(bytes);
    EXPECT_FALSE(result.data.has_value());
    EXPECT_FALSE(result.reason.isEmpty());
}

PuzzleData expectRead(const QByteArray& bytes)
{
    const ReadResult result = readPuzzle(bytes);
    EXPECT_TRUE(result.data.has_value()) << result.reason.toStdString();
    return result.data.value_or(PuzzleData{});
}

// --- Writing, and reading back what was written ---

TEST(PuzzleFileWrite, WorkedExampleByteForByte)
{
    const PuzzleData boat = data(u"C:\\Pictures\\boat.jpg"_s, u"3"_s, u"3"_s, {2, 5});
    const QByteArray bytes = writePuzzle(boat);
    EXPECT_EQ(bytes, QByteArray("C:\\Pictures\\boat.jpg\r\n3\r\n3\r\n 2 \r\n 2 \r\n 5 \r\n"));
    EXPECT_EQ(expectRead(bytes), boat);
}

TEST(PuzzleFileWrite, EmptyHistoryGivesFourLinesEndingInZero)
{
    const PuzzleData solved = data(u"a.jpg"_s, u"4"_s, u"4"_s, {});
    const QByteArray bytes = writePuzzle(solved);
    EXPECT_EQ(bytes, QByteArray("a.jpg\r\n4\r\n4\r\n 0 \r\n"));
    EXPECT_EQ(expectRead(bytes), solved);
}

TEST(PuzzleFileWrite, PathWithSpacesCommasAndCzechLettersRoundTrips)
{
    const PuzzleData game = data(u"/home/jana/Obrázky, léto/žluťoučký kůň 2.jpg"_s, u"4"_s,
                                 u"5"_s, {2, 3, 20, 4});
    const QByteArray bytes = writePuzzle(game);
    EXPECT_TRUE(bytes.startsWith(game.picturePath.toUtf8() + "\r\n"));
    EXPECT_EQ(expectRead(bytes), game);
}

TEST(PuzzleFileWrite, SizeTextsAndPathBlanksKeptExactly)
{
    const PuzzleData game = data(u"  boat.jpg "_s, u" 05"_s, u"4\t"_s, {7});
    const QByteArray bytes = writePuzzle(game);
    EXPECT_EQ(bytes, QByteArray("  boat.jpg \r\n 05\r\n4\t\r\n 1 \r\n 7 \r\n"));
    EXPECT_EQ(expectRead(bytes), game);
}

TEST(PuzzleFileWrite, PathStartingWithByteOrderMarkRoundTrips)
{
    const PuzzleData game = data(QChar(0xFEFF) + u"x.jpg"_s, u"2"_s, u"2"_s, {});
    EXPECT_EQ(expectRead(writePuzzle(game)), game);
}

TEST(PuzzleFileWrite, ThousandMovesRoundTrip)
{
    std::vector<std::int16_t> moves;
    for (int i = 0; i < 1000; ++i)
        moves.push_back(std::int16_t(i % 2 ? 3 : 32767));
    const PuzzleData game = data(u"big.jpg"_s, u"32767"_s, u"1"_s, moves);
    EXPECT_EQ(expectRead(writePuzzle(game)), game);
}

// --- Line ends, encodings, what the reader leaves alone ---

TEST(PuzzleFileRead, BareLineFeedsAccepted)
{
    const QByteArray bytes = fileOf({"boat.jpg", "3", "3", " 2 ", " 2 ", " 5 "}, "\n");
    EXPECT_EQ(expectRead(bytes), data(u"boat.jpg"_s, u"3"_s, u"3"_s, {2, 5}));
}

TEST(PuzzleFileRead, LastLineMayLackItsEnd)
{
    EXPECT_EQ(expectRead("boat.jpg\r\n3\r\n3\r\n 1 \r\n 4 ").moves, std::vector<std::int16_t>{4});
    EXPECT_EQ(expectRead("boat.jpg\n3\n3\n0").moves, std::vector<std::int16_t>{});
}

TEST(PuzzleFileRead, OnlyOneCarriageReturnDroppedPerLine)
{
    EXPECT_EQ(expectRead("boat.jpg\r\r\n3\r\n3\r\n 0 \r\n").picturePath, u"boat.jpg\r"_s);
}

TEST(PuzzleFileRead, Windows1250PathDecoded)
{
    const QByteArray path = "C:\\Obr\xE1zky\\\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2.jpg";
    const PuzzleData read = expectRead(fileOf({path, "4", "4", " 0 "}));
    EXPECT_EQ(read.picturePath, u"C:\\Obrázky\\žluťoučký kůň.jpg"_s);
}

TEST(PuzzleFileRead, LeadingUtf8ByteOrderMarkDropped)
{
    EXPECT_EQ(expectRead("\xEF\xBB\xBF" "boat.jpg\r\n3\r\n3\r\n 0 \r\n").picturePath, u"boat.jpg"_s);
}

TEST(PuzzleFileRead, LinesAfterTheMovesIgnored)
{
    const QByteArray extra = board3x3({" 1 ", " 2 ", " 99 ", "junk \xFF\xFE", ""});
    EXPECT_EQ(expectRead(extra).moves, std::vector<std::int16_t>{2});
}

TEST(PuzzleFileRead, BlanksAroundNumbersAllowed)
{
    EXPECT_EQ(expectRead(board3x3({"2", "\t 9\t ", "  2"})).moves,
              (std::vector<std::int16_t>{9, 2}));
}

// --- Files the reader refuses ---

TEST(PuzzleFileRefused, EmptyOrShortFiles)
{
    expectRefused("");
    expectRefused("boat.jpg\r\n3\r\n3\r\n");
    expectRefused("boat.jpg\r\n3\r\n3");
    expectRefused(board3x3({" 3 ", " 2 ", " 5 "}));
    expectRefused(board3x3({" 1 "}));
}

TEST(PuzzleFileRefused, BadCount)
{
    for (const QByteArray count : {"-1", "1001", "abc", "2.5", "", "1e1", "+1", " ", "99999999999999999999"}) {
        SCOPED_TRACE(count.toStdString());
        expectRefused(board3x3({count, " 2 "}));
    }
}

TEST(PuzzleFileRefused, BadMoveEntries)
{
    for (const QByteArray entry : {"1", "0", "10", "-2", "", "2.0", "3e0", "+2", "\xA0" "2"}) {
        SCOPED_TRACE(entry.toStdString());
        expectRefused(board3x3({" 2 ", " 2 ", entry}));
    }
}

TEST(PuzzleFileRefused, BadSizeTexts)
{
    const std::pair<QByteArray, QByteArray> sizes[] = {
        {"0", "3"}, {"3", "0"}, {"abc", "3"}, {"2.5", "3"}, {"+3", "3"}, {"3", ""}, {"200", "200"},
    };
    for (const auto& [cols, rows] : sizes) {
        SCOPED_TRACE((cols + " x " + rows).toStdString());
        expectRefused(fileOf({"boat.jpg", cols, rows, " 0 "}));
    }
}

TEST(PuzzleFileRefused, HugeSizeTextsDoNotWrapAround)
{
    // Both texts saturate at 2^40; their product must not overflow into a small number.
    expectRefused(fileOf({"p", "99999999999999999999", "99999999999999999999", " 0 "}));
    expectRefused(fileOf({"p", "9998991", "99999999999999999999", " 0 "}));
}

TEST(PuzzleFileRefused, BoardOfMoreThan32767Elements)
{
    EXPECT_EQ(expectRead(fileOf({"p", "1", "32767", " 1 ", " 32767 "})).moves,
              std::vector<std::int16_t>{32767});
    expectRefused(fileOf({"p", "32768", "1", " 0 "}));
    expectRefused(fileOf({"p", "182", "181", " 0 "}));
}

} // namespace
} // namespace zp
