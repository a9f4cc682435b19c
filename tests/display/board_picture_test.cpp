// Pixels of the board picture: figures at their boxes (right and bottom edges
// excluded), colours, text boxes, and what DrawBoard paints over.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include "display/board_display.h"
#include "position/board.h"

namespace {

constexpr uint32_t kWhitePx = 0xFFFFFF;
constexpr uint32_t kBlackPx = 0x000000;
constexpr uint32_t kWoodPx = 0xE0A040;
constexpr uint32_t kRedPx = 0xFF0000;
constexpr uint32_t kGreenPx = 0x00FF00;
constexpr uint32_t kYellowPx = 0xFFFF00;

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = MakePicture(800, 600);
        AttachPicture(&image, nullptr);
        clearBoard(board);
    }
    void TearDown() override { AttachPicture(nullptr, nullptr); }

    uint32_t At(int32_t x, int32_t y) const { return image.pixel(x, y) & 0xFFFFFFu; }

    // Counts the pixels of a colour inside [left, right) x [top, bottom).
    int32_t Count(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) const {
        int32_t n = 0;
        for (int32_t y = top; y < bottom; ++y) {
            for (int32_t x = left; x < right; ++x) {
                n += At(x, y) == colour;
            }
        }
        return n;
    }

    // The bounding box of every pixel of a colour inside a search window.
    QRect Extent(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) const {
        QRect box;
        for (int32_t y = top; y < bottom; ++y) {
            for (int32_t x = left; x < right; ++x) {
                if (At(x, y) == colour) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }

    QImage image;
    Board board;
};

TEST_F(PictureTest, EmptyBoardSquareGridAndStarPoints) {
    DrawBoard(board);
    // The wood square is exactly (40, 80) .. (495, 535).
    EXPECT_EQ(At(40, 80), kWoodPx);
    EXPECT_EQ(At(495, 535), kWoodPx);
    EXPECT_EQ(At(39, 200), kWhitePx);
    EXPECT_EQ(At(496, 200), kWhitePx);
    EXPECT_EQ(At(200, 79), kWhitePx);
    EXPECT_EQ(At(200, 536), kWhitePx);
    // Grid lines through the cell centres, each leaving out its end point.
    EXPECT_EQ(At(52, 92), kBlackPx);
    EXPECT_EQ(At(52, 300), kBlackPx);
    EXPECT_EQ(At(51, 300), kWoodPx);
    EXPECT_EQ(At(53, 300), kWoodPx);
    EXPECT_EQ(At(52, 91), kWoodPx);
    EXPECT_EQ(At(51, 92), kWoodPx);
    EXPECT_EQ(At(483, 524), kBlackPx);
    EXPECT_EQ(At(484, 523), kBlackPx);
    EXPECT_EQ(At(484, 524), kWoodPx);
    EXPECT_EQ(At(485, 300), kWoodPx);
    // Star point (4, 4): a 7-pixel disc in (121, 161) .. (127, 167).
    EXPECT_EQ(At(122, 162), kBlackPx);
    EXPECT_EQ(At(121, 161), kWoodPx);
    EXPECT_EQ(At(126, 166), kBlackPx);
    EXPECT_EQ(At(127, 167), kWoodPx);
    // Not every intersection is a star point.
    EXPECT_EQ(At(146, 186), kWoodPx);
}

TEST_F(PictureTest, StonesFillTheirCellAndMarksTheCentre) {
    // On the blank picture the extent of a figure is its box.
    DrawBlackStone(3, 3);  // cell (88, 128) .. (111, 151)
    EXPECT_EQ(Extent(70, 110, 130, 170, kBlackPx), QRect(88, 128, 24, 24));
    DrawWhiteStone(3, 5);
    EXPECT_EQ(Extent(70, 160, 130, 220, kBlackPx), QRect(88, 176, 24, 24));
    DrawTargetMark(9, 9);
    EXPECT_EQ(Extent(220, 250, 280, 310, kRedPx), QRect(240, 280, 9, 9));

    DrawBoard(board);
    DrawBlackStone(3, 3);
    EXPECT_EQ(At(88, 140), kBlackPx);
    EXPECT_EQ(At(111, 140), kBlackPx);
    EXPECT_EQ(At(100, 128), kBlackPx);
    EXPECT_EQ(At(100, 151), kBlackPx);
    EXPECT_NE(At(87, 141), kBlackPx);
    EXPECT_NE(At(112, 141), kBlackPx);
    EXPECT_NE(At(101, 127), kBlackPx);
    EXPECT_NE(At(101, 152), kBlackPx);
    EXPECT_EQ(At(88, 128), kWoodPx);  // a disc, not a square

    DrawWhiteStone(5, 3);  // cell (136, 128) .. (159, 151): black ring, white inside
    EXPECT_EQ(At(136, 140), kBlackPx);
    EXPECT_EQ(At(159, 140), kBlackPx);
    EXPECT_EQ(At(137, 140), kWhitePx);
    EXPECT_EQ(At(148, 140), kWhitePx);
    EXPECT_EQ(At(148, 128), kBlackPx);
    EXPECT_EQ(At(148, 151), kBlackPx);

    DrawTargetMark(5, 3);  // (144, 136) .. (152, 144), over the white stone
    EXPECT_EQ(Extent(136, 128, 160, 152, kRedPx), QRect(144, 136, 9, 9));
    DrawRegionMark(7, 7);  // (192, 232) .. (200, 240), on the bare grid
    EXPECT_EQ(Extent(180, 220, 212, 252, kGreenPx), QRect(192, 232, 9, 9));
}

TEST_F(PictureTest, TextsSitOnOpaqueBoxesAtTheirCells) {
    DrawBoard(board);
    // Column numbers: "1" from x = 49 (three left of the centre line 52), "10"
    // from x = 262 (six left of 268), in y = 62 .. 73.
    EXPECT_GT(Count(49, 62, 55, 74, kBlackPx), 0);
    EXPECT_EQ(Count(40, 56, 49, 80, kBlackPx), 0);
    EXPECT_GT(Count(262, 62, 274, 74, kBlackPx), 0);
    EXPECT_EQ(Count(256, 56, 262, 80, kBlackPx), 0);
    // Row numbers "%2d": row 1 is " 1" at (20, 86), its first cell a blank.
    EXPECT_EQ(Count(20, 86, 26, 98, kBlackPx), 0);
    EXPECT_GT(Count(26, 86, 32, 98, kBlackPx), 0);
    EXPECT_GT(Count(20, 494, 32, 506, kBlackPx), 0);  // "19"

    // A palette label: black on a yellow box of two full-width cells.
    DrawPaletteLabel(21, 8, "目標石");  // (520, 254), 36 x 12
    const int32_t yellow = Count(520, 254, 556, 266, kYellowPx);
    const int32_t ink = Count(520, 254, 556, 266, kBlackPx);
    EXPECT_EQ(yellow + ink, 36 * 12);
    EXPECT_GT(ink, 20);
    EXPECT_EQ(Extent(500, 240, 600, 280, kYellowPx) | Extent(500, 240, 600, 280, kBlackPx),
              QRect(520, 254, 36, 12));
    // A half-width label is 6 pixels per character.
    DrawPaletteLabel(21, 14, "ｷｬﾝｾﾙ");
    EXPECT_EQ(Extent(500, 380, 600, 420, kYellowPx) | Extent(500, 380, 600, 420, kBlackPx),
              QRect(520, 398, 30, 12));

    // A move label: white on wood, centred on the point (3, 3) at (94, 134).
    DrawBlackStone(3, 3);
    DrawMoveLabel(3, 3, "Ａ");
    EXPECT_EQ(Count(94, 134, 106, 146, kWoodPx) + Count(94, 134, 106, 146, kWhitePx), 144);
    EXPECT_GT(Count(94, 134, 106, 146, kWhitePx), 10);
    EXPECT_EQ(At(93, 140), kBlackPx);   // the stone around the box
    EXPECT_EQ(At(106, 140), kBlackPx);
}

TEST_F(PictureTest, DrawBoardPaintsOverTheSquareOnly) {
    DrawBoard(board);
    DrawPaletteLabel(21, 0, "黒石");
    DrawBlackStone(10, 10);
    DrawMoveLabel(10, 10, "Ｂ");
    DrawRegionMark(2, 2);
    DrawTargetMark(10, 10);
    DrawBoard(board);
    EXPECT_EQ(Count(40, 80, 496, 536, kWhitePx), 0);
    EXPECT_EQ(Count(40, 80, 496, 536, kRedPx), 0);
    EXPECT_EQ(Count(40, 80, 496, 536, kGreenPx), 0);
    EXPECT_GT(Count(520, 62, 544, 74, kYellowPx), 100);
    EXPECT_GT(Count(49, 62, 55, 74, kBlackPx), 0);

    // Z points and marks above the colour draw as empty; colours from the low bits.
    board[pointAt(1, 1)] = kKoMark;
    board[pointAt(2, 1)] = kBlack | kOutsideMark;
    board[pointAt(3, 1)] = ::kWhite | kKoMark;
    DrawBoard(board);
    EXPECT_EQ(At(cellLeft(1) + 5, cellTop(1) + 5), kWoodPx);
    EXPECT_EQ(At(cellLeft(2) + 12, cellTop(1) + 5), kBlackPx);
    EXPECT_EQ(At(cellLeft(3) + 5, cellTop(1) + 12), kWhitePx);
}

TEST_F(PictureTest, ClearPictureWhitensEverything) {
    DrawBoard(board);
    DrawPaletteLabel(21, 0, "黒石");
    ClearPicture();
    EXPECT_EQ(Count(0, 0, 800, 600, kWhitePx), 800 * 600);
}

TEST(FontTest, TheTextFontHasTheHalfAndFullWidthCell) {
    InstallFontSubstitutions();
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("0")), 6);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("黒")), 12);
}

TEST(StatusTextTest, CutsAtACharacterBoundary) {
    std::string text(254, 'a');
    text += "黒";  // bytes 254..256: would be split at 255
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    CutAtCharacter(buffer.data(), 255);
    EXPECT_EQ(std::strlen(buffer.data()), 254u);

    std::string exact(252, 'a');
    exact += "黒";  // 255 bytes: nothing to cut
    buffer.assign(exact.begin(), exact.end());
    buffer.push_back('\0');
    CutAtCharacter(buffer.data(), 255);
    EXPECT_EQ(std::string(buffer.data()), exact);
}

}  // namespace
