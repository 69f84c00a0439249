// SPDX-License-Identifier: MIT
// Tests of the .pzl format: exact bytes written, what the reader accepts and what it refuses.
#include "files/puzzle_format.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

// A 3 x 3 file whose line 4 and later are `tail`, each ended by CR LF, and the data of such a file.
QByteArray board3x3(std::initializer_list<QByteArray> tail)
{
    QByteArray out = "boat.jpg\r\n3\r\n3\r\n";
    for (const QByteArray& line : tail)
        out += line + "\r\n";
    return out;
}
PuzzleData boat(const std::vector<std::int16_t>& moves) { return {u"boat.jpg"_s, u"3"_s, u"3"_s, moves}; }

TEST(PuzzleFile, WritesCrLfLinesThatReadBackTheSame)
{
    const PuzzleData czech{u"C:\\Obrázky\\kůň.jpg"_s, u" 05"_s, u"1"_s, {2, 3, 5}};
    EXPECT_EQ(writePuzzle(czech),
              "C:\\Obr\xC3\xA1zky\\k\xC5\xAF\xC5\x88.jpg\r\n 05\r\n1\r\n 3 \r\n 2 \r\n 3 \r\n 5 \r\n");
    for (const PuzzleData& data : {czech, boat({}), PuzzleData{u"p\r"_s, u"1"_s, u"32767"_s, {32767}}})
        EXPECT_EQ(readPuzzle(writePuzzle(data)).data, data) << data.picturePath.toStdString();
}

TEST(PuzzleFile, ReadsBothLineEndsBothEncodingsAndSkipsWhatFollowsTheMoves)
{
    const std::pair<QByteArray, PuzzleData> cases[] = {
        {"boat.jpg\n3\n3\n 2 \n 2 \n 5 \n", boat({2, 5})},
        {"boat.jpg\r\n3\r\n3\r\n 1 \r\n 4 ", boat({4})},   // the last line may lack its end
        {"boat.jpg\r\r\n3\r\n3\r\n 0 \r\n", {u"boat.jpg\r"_s, u"3"_s, u"3"_s, {}}},   // one CR dropped
        {"\xEF\xBB\xBF"
         "boat.jpg\r\n3\r\n3\r\n 0 \r\n",
         boat({})},   // a UTF-8 byte order mark dropped
        {"C:\\Obr\xE1zky\\\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2.jpg\r\n4\r\n4\r\n 0 \r\n",
         {u"C:\\Obrázky\\žluťoučký kůň.jpg"_s, u"4"_s, u"4"_s, {}}},   // from windows-1250
        {board3x3({" 1 ", " 2 ", " 99 ", "junk \xFF\xFE", ""}), boat({2})},
        {board3x3({"2", "\t 9\t ", "  2"}), boat({9, 2})},
    };
    for (const auto& [bytes, data] : cases)
        EXPECT_EQ(readPuzzle(bytes).data, data) << bytes.toStdString();
}

TEST(PuzzleFile, RefusesShortFilesBadCountsBadEntriesAndBadSizeTexts)
{
    const QByteArray thousandAndOne = board3x3({" 1001 "}) + QByteArray(" 2 \r\n").repeated(1001);
    for (const QByteArray& bytes :
         {QByteArray(), board3x3({}), "boat.jpg\r\n3\r\n3"_ba, board3x3({" 3 ", " 2 ", " 5 "}),
          board3x3({" 1 "}), thousandAndOne, board3x3({"-1", " 2 "}), board3x3({"abc", " 2 "}),
          board3x3({"", " 2 "}), board3x3({" 2 ", " 2 ", "1"}), board3x3({" 2 ", " 2 ", "10"}),
          board3x3({" 2 ", " 2 ", "x"}), "boat.jpg\r\n0\r\n3\r\n 0 \r\n"_ba}) {
        const ReadResult result = readPuzzle(bytes);
        EXPECT_FALSE(result.data.has_value()) << bytes.toStdString();
        EXPECT_FALSE(result.reason.isEmpty()) << bytes.toStdString();
    }
}

}   // namespace
}   // namespace zp
