// Tests of the .pzl format: exact bytes written, what the reader accepts and what it refuses.
#include "files/puzzle_format.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace zp {
namespace {

using Lines = std::initializer_list<QByteArray>;

// A file made of `lines`, each ended by `end`.
QByteArray fileOf(Lines lines, const QByteArray& end = "\r\n")
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + end;
    return out;
}

// A 3 x 3 file whose line 4 and later are `tail`, and the data of such a file.
QByteArray board3x3(Lines tail) { return "boat.jpg\r\n3\r\n3\r\n" + fileOf(tail); }
PuzzleData boat(const std::vector<std::int16_t>& moves) { return {u"boat.jpg"_s, u"3"_s, u"3"_s, moves}; }

PuzzleData expectRead(const QByteArray& bytes)
{
    const ReadResult result = readPuzzle(bytes);
    EXPECT_TRUE(result.data.has_value()) << result.reason.toStdString();
    return result.data.value_or(PuzzleData{});
}

void expectRefused(const QByteArray& bytes)
{
    SCOPED_TRACE(bytes.toStdString());
    const ReadResult result = readPuzzle(bytes);
    EXPECT_FALSE(result.data.has_value());
    EXPECT_FALSE(result.reason.isEmpty());
}

TEST(PuzzleFileRead, LineEndsEncodingsBlanksAndLinesAfterTheMoves)
{
    const std::pair<QByteArray, PuzzleData> cases[] = {
        {fileOf({"boat.jpg", "3", "3", " 2 ", " 2 ", " 5 "}, "\n"), boat({2, 5})},
        {"boat.jpg\r\n3\r\n3\r\n 1 \r\n 4 ", boat({4})},   // the last line may lack its end
        {"boat.jpg\n3\n3\n0", boat({})},
        {"boat.jpg\r\r\n3\r\n3\r\n 0 \r\n", {u"boat.jpg\r"_s, u"3"_s, u"3"_s, {}}},   // one CR dropped
        {"\xEF\xBB\xBF" "boat.jpg\r\n3\r\n3\r\n 0 \r\n", boat({})},   // a UTF-8 byte order mark dropped
        {fileOf({"C:\\Obr\xE1zky\\\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2.jpg", "4", "4", " 0 "}),
         {u"C:\\Obrázky\\žluťoučký kůň.jpg"_s, u"4"_s, u"4"_s, {}}},   // from windows-1250
        {board3x3({" 1 ", " 2 ", " 99 ", "junk \xFF\xFE", ""}), boat({2})},
        {board3x3({"2", "\t 9\t ", "  2"}), boat({9, 2})},
        {fileOf({"p", "1", "32767", " 1 ", " 32767 "}), {u"p"_s, u"1"_s, u"32767"_s, {32767}}},
    };
    for (const auto& [bytes, data] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        EXPECT_EQ(expectRead(bytes), data);
    }
}

TEST(PuzzleFileRefused, ShortFilesBadCountsBadEntriesAndBadSizeTexts)
{
    const QByteArray thousandAndOne = board3x3({" 1001 "}) + QByteArray(" 2 \r\n").repeated(1001);
    for (const QByteArray& bytes : Lines{"", "boat.jpg\r\n3\r\n3\r\n", "boat.jpg\r\n3\r\n3",
                                         board3x3({" 3 ", " 2 ", " 5 "}), board3x3({" 1 "}),
                                         thousandAndOne})
        expectRefused(bytes);
    // Numbers go through the size rule's parser: one row each that it refuses.
    for (const char* count : {"-1", "1001", "abc", ""})
        expectRefused(board3x3({count, " 2 "}));
    for (const char* entry : {"1", "10", "x"})
        expectRefused(board3x3({" 2 ", " 2 ", entry}));
    expectRefused(fileOf({"boat.jpg", "0", "3", " 0 "}));
}

} // namespace
} // namespace zp
