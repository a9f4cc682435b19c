// Start-up, the board set-up mode driven from the palette, and region toggling.
#include "dialog_fixture.h"

namespace {

const std::vector<bool> kStartUp = {true, true, true, true, false};

class SetupTest : public DialogTest {
protected:
    // Rows of the palette entries that have their black frame.
    std::vector<int32_t> FramedRows() const {
        std::vector<int32_t> rows;
        for (int32_t row = 0; row <= 14; row += 2) {
            if ((dialog->offscreenPicture.pixel(517, 24 * row + 59) & 0xFFFFFF) == kBlackPx &&
                (dialog->offscreenPicture.pixel(517, 24 * row + 76) & 0xFFFFFF) == kBlackPx) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    void Palette(int32_t row, int32_t column = 21) { ClickAndTick(column, row); }
    void Put(int32_t column, int32_t row) { ClickAndTick(column, row); }
};

TEST_F(SetupTest, PaletteBuildsAProblem) {
    Open();
    EXPECT_EQ(Enabled(), kStartUp);
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("黒番"));

    Press(kIdSetup);
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_EQ(sideToMove, 0);
    EXPECT_EQ(dialog->offscreenPicture.pixel(520, 62) & 0xFFFFFF, kYellowPx);

    Put(3, 3);  // no colour chosen: nothing placed
    EXPECT_EQ(problemBoard[pointAt(3, 3)], kEmpty);
    Palette(2, 22);  // either palette column
    Put(3, 3);
    Palette(0);
    Put(4, 3);
    EXPECT_EQ(Centre(3, 3), kWhitePx);
    EXPECT_EQ(Centre(4, 3), kBlackPx);
    Put(3, 3);  // any stone goes, whatever colour is chosen
    EXPECT_EQ(problemBoard[pointAt(3, 3)], kEmpty);

    // The target is tested before the side, then the liberties; each error
    // keeps the mode on.
    Palette(10);
    Palette(8);
    Put(4, 3);
    EXPECT_EQ(Centre(4, 3), kRedPx);
    Palette(10);
    EXPECT_EQ(boxes, (std::vector<std::string>{"目標石選択エラー", "黒番／白番設定エラー"}));
    EXPECT_EQ(captions[0], "Ostrel");
    Palette(4);
    Palette(2);
    Put(1, 1);  // a white corner stone without liberties
    Palette(0);
    Put(2, 1);
    Put(1, 2);
    Palette(10);
    EXPECT_EQ(boxes.back(), "石に呼吸点がありません");
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));
    Put(2, 1);  // the black stone goes: a possible board again
    Palette(10);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_FALSE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(Enabled(), kStartUp);
    EXPECT_EQ(dialog->regionEditable, 1);
    EXPECT_EQ(dialog->offscreenPicture.pixel(520, 62) & 0xFFFFFF, kWhitePx);  // palette gone
}

TEST_F(SetupTest, PaletteFramesTheChoicesTargetClearAndCancel) {
    Open();
    Press(kIdSetup);
    EXPECT_EQ(FramedRows(), std::vector<int32_t>{});
    EXPECT_EQ(dialog->fileLineText, QString());  // no side yet
    Palette(0);
    Put(1, 1);
    Palette(6);  // 白先
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("白番"));
    Palette(2);
    Palette(4);
    Palette(8);
    EXPECT_EQ(FramedRows(), (std::vector<int32_t>{4, 8}));  // one tool, one side
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("黒番"));

    // The target moves, and goes with its stone.
    Palette(0);
    Put(3, 3);
    Put(5, 5);
    Palette(8);
    Put(3, 3);
    Put(5, 5);  // the old stone is drawn again, without its mark
    EXPECT_EQ(targetPoint, pointAt(5, 5));
    EXPECT_EQ(Centre(3, 3), kBlackPx);
    EXPECT_EQ(Centre(5, 5), kRedPx);
    Put(7, 7);  // an empty point: no target
    EXPECT_EQ(targetPoint, 0);
    Put(5, 5);
    Palette(0);
    Put(5, 5);  // removing the target stone clears the target
    EXPECT_EQ(targetPoint, 0);

    Palette(12);  // クリア: an empty board and nothing chosen any more
    EXPECT_EQ(FramedRows(), std::vector<int32_t>{});
    EXPECT_EQ(dialog->fileLineText, QString());
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(sideToMove, 0);

    Palette(0);
    Put(1, 1);
    Palette(14);  // キャンセル
    EXPECT_FALSE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(Enabled(), kStartUp);
    EXPECT_EQ(dialog->regionEditable, 0);
}

TEST_F(SetupTest, RegionPointsToggleUpToAHundred) {
    Open();
    LoadThree();
    const int32_t before = listLength(regionPoints);
    ASSERT_TRUE(listContains(regionPoints, pointAt(9, 1)));
    // Off, with the board, target and other marks redrawn; on again at the end.
    Click(9, 1);
    EXPECT_EQ(listLength(regionPoints), before - 1);
    EXPECT_NE(Centre(9, 1), kGreenPx);
    EXPECT_EQ(Centre(pointX(regionPoints[0]), pointY(regionPoints[0])), kGreenPx);
    EXPECT_EQ(Centre(9, 2), kRedPx);
    Click(9, 1);
    EXPECT_EQ(regionPoints[before - 1], pointAt(9, 1));
    Click(8, 3);  // stones are never region points
    EXPECT_EQ(listLength(regionPoints), before);

    int32_t next = pointAt(1, 10);
    for (; listLength(regionPoints) < kListSlots; next += pointX(next) == 19 ? 2 : 1) {
        Click(pointX(next), pointY(next));
    }
    const PointList full = regionPoints;
    Click(pointX(next), pointY(next));  // the 101st point
    EXPECT_EQ(regionPoints.p, full.p);
    EXPECT_NE(Centre(pointX(next), pointY(next)), kGreenPx);

    Press(kIdSetup);  // no toggling in the set-up mode
    Click(1, 19);
    EXPECT_EQ(regionPoints.p, full.p);
}

}  // namespace
