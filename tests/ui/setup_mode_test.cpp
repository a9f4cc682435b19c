// Start-up, the board set-up mode driven from the palette, and region toggling.
#include "dialog_fixture.h"

namespace {

const std::vector<bool> kStartUp = {true, true, true, true, false};

class SetupTest : public DialogTest {
protected:
    // Whether the palette entry of a row has its black frame.
    bool Framed(int32_t row) const {
        return (dialog->offscreenPicture.pixel(517, 24 * row + 59) & 0xFFFFFF) == kBlackPx &&
               (dialog->offscreenPicture.pixel(517, 24 * row + 76) & 0xFFFFFF) == kBlackPx;
    }
    std::vector<int32_t> FramedRows() const {
        std::vector<int32_t> rows;
        for (int32_t row = 0; row <= 14; row += 2) {
            if (Framed(row)) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    void Palette(int32_t row, int32_t column = 21) { ClickAndTick(column, row); }
    void Put(int32_t column, int32_t row) { ClickAndTick(column, row); }
    // White's group on the top side around (6..10, 1), walled in by black;
    // target (8, 2), white to move.
    void FinishGroup() {
        Press(kIdSetup);
        Palette(2);
        for (int32_t x = 5; x <= 11; ++x) {
            Put(x, 2);
        }
        Put(5, 1);
        Put(11, 1);
        Palette(0);
        for (const auto& [x, y] : std::vector<std::pair<int32_t, int32_t>>{
                 {4, 1}, {4, 2}, {12, 1}, {12, 2}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3},
                 {9, 3}, {10, 3}, {11, 3}, {12, 3}}) {
            Put(x, y);
        }
        Palette(8);
        Put(8, 2);
        Palette(6);
        Palette(10);
    }
};

TEST_F(SetupTest, StartUpWindow) {
    Open();
    EXPECT_EQ(Enabled(), kStartUp);
    EXPECT_EQ(dialog->state, Idle);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("黒番"));
    EXPECT_EQ(dialog->messageLineText, QStringLiteral("Quenloの詰碁( proof number search ) V7.22I"));
    // Dialog units at 6/4 and 12/8 pixels.
    EXPECT_EQ(dialog->size(), QSize(675, 570));
    EXPECT_EQ(dialog->Control(kIdSolve)->geometry(), QRect(594, 171, 72, 27));
    EXPECT_EQ(dialog->Control(kIdCpuCount)->geometry(), QRect(594, 357, 45, 18));
    EXPECT_EQ(dialog->Control(kIdPass)->objectName(), QStringLiteral("1047"));
    EXPECT_TRUE(dialog->cpuCountText == "1" || dialog->cpuCountText == "2");
    QWidget* w = dialog->Control(kIdSolve);
    for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdCpuCount, kIdPass}) {
        w = w->nextInFocusChain();
        EXPECT_EQ(w, dialog->Control(id));
    }
}

TEST_F(SetupTest, PaletteBuildsAProblem) {
    Open();
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

    // The target is tested before the side; each error keeps the mode on.
    Palette(10);
    Palette(8);
    Put(4, 3);
    EXPECT_EQ(Centre(4, 3), kRedPx);
    Palette(10);
    EXPECT_EQ(boxes, (std::vector<std::string>{"目標石選択エラー", "黒番／白番設定エラー"}));
    EXPECT_EQ(captions[0], "Ostrel");
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));

    Palette(4);
    Palette(10);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_FALSE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(Enabled(), kStartUp);
    EXPECT_EQ(dialog->regionEditable, 1);
    EXPECT_EQ(dialog->offscreenPicture.pixel(520, 62) & 0xFFFFFF, kWhitePx);  // palette gone
    EXPECT_EQ(dialog->beeps, 7);
}

TEST_F(SetupTest, FinishRefusesAStringWithoutLiberties) {
    Open();
    Press(kIdSetup);
    Palette(0);
    Put(1, 1);
    Palette(2);
    Put(2, 1);
    Put(1, 2);
    Palette(8);
    Put(2, 1);
    Palette(6);
    Palette(10);
    EXPECT_EQ(boxes, std::vector<std::string>{"石に呼吸点がありません"});
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));  // the set-up goes on
    Palette(0);
    Put(1, 1);  // the stone goes, and the board is possible again
    Palette(10);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(dialog->regionEditable, 1);
}

TEST_F(SetupTest, TargetMovesAndGoesWithItsStone) {
    Open();
    Press(kIdSetup);
    Palette(0);
    Put(3, 3);
    Put(5, 5);
    Palette(8);
    Put(3, 3);
    Put(5, 5);  // the old stone is drawn again, without its mark
    EXPECT_EQ(targetPoint, pointAt(5, 5));
    EXPECT_EQ(Centre(3, 3), kBlackPx);
    EXPECT_EQ(Centre(5, 5), kRedPx);
    Put(7, 7);
    EXPECT_EQ(targetPoint, 0);
    Put(5, 5);
    Palette(0);
    Put(5, 5);  // removing the target stone clears the target
    EXPECT_EQ(targetPoint, 0);
}

TEST_F(SetupTest, ClearCancelAndDeadPaletteCells) {
    Open();
    Press(kIdSetup);
    for (const auto& [column, row] : std::vector<std::pair<int32_t, int32_t>>{
             {21, 1}, {22, 13}, {21, 15}, {20, 0}, {23, 14}}) {
        Palette(row, column);
    }
    EXPECT_EQ(dialog->beeps, 0);
    Palette(0);
    // x = 39 is column 0, x = 40 column 1.
    PressAndTick(QPoint(39, 100));
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    PressAndTick(QPoint(40, 100));
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kBlack);

    Palette(4);
    Palette(12);
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(sideToMove, 0);
    EXPECT_EQ(dialog->setupColour, 0);

    Palette(0);
    Put(1, 1);
    Palette(14);
    EXPECT_FALSE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(Enabled(), kStartUp);
    EXPECT_EQ(dialog->regionEditable, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SetupTest, RegionPointsToggleUpToAHundred) {
    Open();
    FinishGroup();
    ASSERT_EQ(dialog->regionEditable, 1);
    const int32_t before = listLength(regionPoints);
    ASSERT_TRUE(listContains(regionPoints, pointAt(8, 1)));
    for (int32_t i = 0; i < before; ++i) {
        EXPECT_EQ(Centre(pointX(regionPoints[i]), pointY(regionPoints[i])), kGreenPx);
    }
    // Off, with the board, target and other marks redrawn; on again at the end.
    const int32_t first = regionPoints[0];
    Click(pointX(first), pointY(first));
    EXPECT_EQ(listLength(regionPoints), before - 1);
    EXPECT_NE(Centre(pointX(first), pointY(first)), kGreenPx);
    EXPECT_EQ(Centre(pointX(regionPoints[0]), pointY(regionPoints[0])), kGreenPx);
    EXPECT_EQ(Centre(8, 2), kRedPx);
    Click(pointX(first), pointY(first));
    EXPECT_EQ(regionPoints[before - 1], first);
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


TEST_F(SetupTest, PaletteAndFileLineShowTheChoices) {
    Open();
    Press(kIdSetup);
    EXPECT_EQ(FramedRows(), std::vector<int32_t>{});
    EXPECT_EQ(dialog->fileLineText, QString());  // no side yet
    Palette(0);
    EXPECT_EQ(FramedRows(), std::vector<int32_t>{0});
    Put(3, 3);
    Palette(6);  // 白先
    EXPECT_EQ(FramedRows(), (std::vector<int32_t>{0, 6}));
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("白番"));
    Palette(2);
    Palette(4);
    EXPECT_EQ(FramedRows(), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("黒番"));
    Palette(8);
    EXPECT_EQ(FramedRows(), (std::vector<int32_t>{4, 8}));
    Put(3, 3);
    Palette(12);  // クリア: nothing chosen any more
    EXPECT_EQ(FramedRows(), std::vector<int32_t>{});
    EXPECT_EQ(dialog->fileLineText, QString());

    FinishGroup();
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("白番"));
    Press(kIdSolve);
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    ClickAndTick(9, 1);  // a move: black to move now
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("黒番"));
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    Press(kIdPass);
    EXPECT_EQ(dialog->fileLineText, QStringLiteral("白番"));
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
}

}  // namespace
