// Pixels of the board picture: figures at their boxes (right and bottom edges
// excluded), colours, opaque text boxes, and what DrawBoard paints over.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <QImage>

#include "display/board_display.h"
#include "position/board.h"

namespace {

constexpr uint32_t kWhitePx = 0xFFFFFF, kBlackPx = 0, kWoodPx = 0xE0A040, kRedPx = 0xFF0000,
                   kGreenPx = 0x00FF00, kYellowPx = 0xFFFF00;

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = MakePicture(800, 600);
        AttachPicture(&image, nullptr);
        clearBoard(board);
    }
    void TearDown() override { AttachPicture(nullptr, nullptr); }

    uint32_t At(int32_t x, int32_t y) const { return image.pixel(x, y) & 0xFFFFFFu; }
    // Pixels of a colour in [left, right) x [top, bottom), and their bounding box.
    int32_t Count(QRect r, uint32_t colour) const {
        int32_t n = 0;
        for (int32_t y = r.top(); y <= r.bottom(); ++y) {
            for (int32_t x = r.left(); x <= r.right(); ++x) {
                n += At(x, y) == colour;
            }
        }
        return n;
    }
    QRect Extent(QRect r, uint32_t colour) const {
        QRect box;
        for (int32_t y = r.top(); y <= r.bottom(); ++y) {
            for (int32_t x = r.left(); x <= r.right(); ++x) {
                box |= At(x, y) == colour ? QRect(x, y, 1, 1) : QRect();
            }
        }
        return box;
    }

    QImage image;
    Board board;
};

TEST_F(PictureTest, SquareGridAndStarPoints) {
    DrawBoard(board);
    EXPECT_EQ(Extent(QRect(0, 75, 800, 500), kWoodPx), QRect(40, 80, 456, 456));
    // Lines one pixel wide through the cell centres, each without its end point.
    EXPECT_EQ(At(51, 300), kWoodPx);
    EXPECT_EQ(At(484, 523), kBlackPx);
    EXPECT_EQ(At(484, 524), kWoodPx);
    // Star point (4, 4): a 7-pixel disc in (121, 161) .. (127, 167); (5, 5) is none.
    EXPECT_EQ(At(122, 162), kBlackPx);
    EXPECT_EQ(At(121, 161), kWoodPx);
    EXPECT_EQ(At(146, 186), kWoodPx);
}

TEST_F(PictureTest, StonesFillTheirCellAndMarksTheCentre) {
    DrawBlackStone(3, 3);
    EXPECT_EQ(Extent(QRect(70, 110, 60, 60), kBlackPx), QRect(88, 128, 24, 24));
    EXPECT_EQ(At(88, 128), kWhitePx);  // a disc, not a square
    DrawWhiteStone(3, 6);  // black ring, white inside
    EXPECT_EQ(At(89, 212), kWhitePx);
    DrawTargetMark(3, 6);
    EXPECT_EQ(Extent(QRect(70, 180, 60, 60), kRedPx), QRect(96, 208, 9, 9));
    DrawRegionMark(7, 7);
    EXPECT_EQ(Extent(QRect(180, 220, 40, 40), kGreenPx), QRect(192, 232, 9, 9));
}

TEST_F(PictureTest, TextsSitOnOpaqueBoxesAtTheirCells) {
    DrawBoard(board);
    // Column "10" from x = 262; row 1 is " 1" at (20, 86).
    EXPECT_GT(Count(QRect(262, 62, 12, 12), kBlackPx), 0);
    EXPECT_EQ(Count(QRect(256, 56, 6, 24), kBlackPx), 0);
    EXPECT_EQ(Count(QRect(20, 86, 6, 12), kBlackPx), 0);
    EXPECT_GT(Count(QRect(26, 86, 6, 12), kBlackPx), 0);

    // Palette labels: black on yellow, 12 pixels per full-width character and
    // 6 per half-width one.
    const QRect around(500, 240, 100, 180);
    DrawPaletteLabel(21, 8, "目標石");
    DrawPaletteLabel(21, 14, "ｷｬﾝｾﾙ");
    EXPECT_EQ(Extent(around, kYellowPx) | Extent(around, kBlackPx), QRect(520, 254, 36, 156));
    EXPECT_EQ(Count(QRect(550, 398, 10, 12), kYellowPx), 0);
}

TEST_F(PictureTest, DrawBoardPaintsOverTheSquareOnly) {
    DrawBoard(board);
    DrawPaletteLabel(21, 0, "黒石");
    DrawBlackStone(10, 10);
    DrawMoveLabel(10, 10, "Ｂ");
    DrawRegionMark(2, 2);
    DrawTargetMark(10, 10);
    // Marks above the colour bits draw nothing of their own; a Z point is empty.
    board[pointAt(1, 1)] = kKoMark;
    board[pointAt(2, 1)] = kBlack | kOutsideMark;
    DrawBoard(board);
    const QRect square(40, 80, 456, 456);
    for (const uint32_t gone : {kWhitePx, kRedPx, kGreenPx}) {
        EXPECT_EQ(Count(square, gone), 0);
    }
    EXPECT_EQ(At(cellLeft(1) + 5, cellTop(1) + 5), kWoodPx);
    EXPECT_EQ(At(cellLeft(2) + 12, cellTop(1) + 5), kBlackPx);
    EXPECT_GT(Count(QRect(520, 62, 24, 12), kYellowPx), 100);

    ClearPicture();
    EXPECT_EQ(Count(QRect(0, 0, 800, 600), kWhitePx), 800 * 600);
}

TEST(TextTest, StatusLineCut) {
    // 254 + 3 bytes would split "黒" at 255; 252 + 3 fits exactly.
    for (const size_t ascii : {254u, 252u}) {
        std::string text = std::string(ascii, 'a') + "黒";
        CutAtCharacter(text.data(), 255);
        EXPECT_EQ(std::strlen(text.c_str()), ascii == 254u ? 254u : 255u);
    }
}

}  // namespace
