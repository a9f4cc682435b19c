// The board set-up mode driven from the palette, and region toggling.
#include <QPushButton>
#include <QTest>

#include "dialog_fixture.h"
#include "display/board_display.h"
#include "problem/problem.h"

namespace {

constexpr uint32_t kWhitePx = 0xFFFFFF;
constexpr uint32_t kBlackPx = 0x000000;
constexpr uint32_t kRedPx = 0xFF0000;
constexpr uint32_t kGreenPx = 0x00FF00;
constexpr uint32_t kYellowPx = 0xFFFF00;

const std::vector<bool> kAllOn = {true, true, true, true, true};

class SetupTest : public DialogTest {
protected:
    void Palette(int32_t row, int32_t column = 21) { ClickCellAndTick(kSetupTimer, column, row); }
    void Board(int32_t column, int32_t row) { ClickCellAndTick(kSetupTimer, column, row); }
    uint32_t Centre(int32_t column, int32_t row) const {
        return Pixel(cellLeft(column) + 12, cellTop(row) + 12);
    }
    // A white group of the top side with a big eye space, black around it.
    void PlaceGroup() {
        Palette(2);
        for (int32_t x = 5; x <= 11; ++x) {
            Board(x, 2);
        }
        Board(5, 1);
        Board(11, 1);
        Palette(0);
        for (int32_t x = 4; x <= 12; ++x) {
            Board(x, 3);
        }
        Board(4, 1);
        Board(4, 2);
        Board(12, 1);
        Board(12, 2);
    }
};

TEST_F(SetupTest, StartUpShowsAnEmptyBlackToMoveProblem) {
    Open();
    EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{true, true, true, true, false}));
    EXPECT_EQ(dialog->state, Idle);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_EQ(targetPoint, 0);
    EXPECT_EQ(dialog->fileLineText, QString());
    EXPECT_EQ(dialog->messageLineText,
              QStringLiteral("Quenloの詰碁( proof number search ) V7.22I"));
    EXPECT_EQ(dialog->size(), QSize(675, 570));
    EXPECT_EQ(dialog->Control(kIdSolve)->geometry(), QRect(594, 171, 72, 27));
    EXPECT_EQ(dialog->Control(kIdCpuCount)->geometry(), QRect(594, 357, 45, 18));
    EXPECT_EQ(dialog->Control(kIdSolve)->objectName(), QStringLiteral("1042"));
    const int32_t cpus = dialog->cpuCountText.toInt();
    EXPECT_TRUE(cpus == 1 || cpus == 2);
    // Tab order: solve, load, set-up, save, CPU field, pass.
    QWidget* w = dialog->Control(kIdSolve);
    for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdCpuCount, kIdPass}) {
        w = w->nextInFocusChain();
        EXPECT_EQ(w, dialog->Control(id));
    }
}

TEST_F(SetupTest, PaletteBuildsAProblemThatFinishes) {
    Open();
    Press(kIdSetup);
    EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(sideToMove, 0);
    EXPECT_EQ(Pixel(520, 62), kYellowPx);   // "黒石"
    EXPECT_EQ(Pixel(520, 398), kYellowPx);  // "ｷｬﾝｾﾙ"

    // No colour chosen: a click on an empty point places nothing.
    Board(3, 3);
    EXPECT_EQ(problemBoard[pointAt(3, 3)], kEmpty);

    PlaceGroup();
    EXPECT_EQ(problemBoard[pointAt(8, 2)], kWhite);
    EXPECT_EQ(problemBoard[pointAt(8, 3)], kBlack);
    EXPECT_EQ(Centre(8, 2), kWhitePx);
    EXPECT_EQ(Centre(8, 3), kBlackPx);

    // With black chosen, a click on a white stone removes it.
    Board(8, 2);
    EXPECT_EQ(problemBoard[pointAt(8, 2)], kEmpty);
    Palette(2, 22);  // the second palette column works too
    EXPECT_EQ(dialog->setupColour, kWhite);
    Board(8, 2);
    EXPECT_EQ(problemBoard[pointAt(8, 2)], kWhite);

    // "終了" reports the missing target before the missing side.
    Palette(10);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "目標石選択エラー");
    EXPECT_EQ(boxes[0].caption, "Ostrel");
    EXPECT_TRUE(boxes[0].okOnly);
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));

    Palette(8);
    Board(8, 2);
    EXPECT_EQ(targetPoint, pointAt(8, 2));
    EXPECT_EQ(Centre(8, 2), kRedPx);
    Palette(10);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "黒番／白番設定エラー");
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));

    Palette(6);
    EXPECT_EQ(sideToMove, kWhite);
    Palette(10);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{true, true, true, true, false}));
    EXPECT_EQ(dialog->regionEditable, 1);
    EXPECT_EQ(Pixel(520, 62), kWhitePx);  // palette gone
    EXPECT_EQ(Centre(8, 2), kRedPx);
    // The region holds the eye space, marked green.
    EXPECT_TRUE(listContains(regionPoints, pointAt(8, 1)));
    for (int32_t i = 0; i < listLength(regionPoints); ++i) {
        EXPECT_EQ(Centre(pointX(regionPoints[i]), pointY(regionPoints[i])), kGreenPx);
    }
    EXPECT_EQ(dialog->beeps, 8);
}

TEST_F(SetupTest, TargetMovesAndGoesWithItsStone) {
    Open();
    Press(kIdSetup);
    Palette(0);
    Board(3, 3);
    Board(5, 5);
    Palette(8);
    Board(3, 3);
    EXPECT_EQ(Centre(3, 3), kRedPx);
    Board(5, 5);  // the old stone is drawn again, without its mark
    EXPECT_EQ(targetPoint, pointAt(5, 5));
    EXPECT_EQ(Centre(3, 3), kBlackPx);
    EXPECT_EQ(Centre(5, 5), kRedPx);
    Board(7, 7);  // an empty point clears the target
    EXPECT_EQ(targetPoint, 0);

    Board(5, 5);
    Palette(0);
    Board(5, 5);  // removing the target stone clears the target
    EXPECT_EQ(problemBoard[pointAt(5, 5)], kEmpty);
    EXPECT_EQ(targetPoint, 0);
    Palette(4);
    EXPECT_EQ(sideToMove, kBlack);
    Palette(10);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "目標石選択エラー");
}

TEST_F(SetupTest, ClearKeepsTheModeAndCancelEndsItEmpty) {
    Open();
    Press(kIdSetup);
    Palette(0);
    Board(3, 3);
    Palette(4);
    Palette(12);
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(problemBoard[pointAt(3, 3)], kEmpty);
    EXPECT_EQ(sideToMove, 0);
    EXPECT_EQ(dialog->setupColour, 0);
    EXPECT_EQ(Pixel(520, 62), kYellowPx);

    Palette(0);
    Board(3, 3);
    Palette(14);
    EXPECT_FALSE(dialog->TimerRunning(kSetupTimer));
    EXPECT_EQ(problemBoard[pointAt(3, 3)], kEmpty);
    EXPECT_EQ(sideToMove, 0);
    EXPECT_EQ(targetPoint, 0);
    EXPECT_EQ(dialog->regionEditable, 0);
    EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{true, true, true, true, false}));
    EXPECT_EQ(Pixel(520, 62), kWhitePx);
    // Region toggling stays off after a cancel.
    const PointList before = regionPoints;
    ClickCell(9, 9);
    EXPECT_EQ(regionPoints.p, before.p);
}

TEST_F(SetupTest, ClicksOutsideThePaletteEntriesDoNothing) {
    Open();
    Press(kIdSetup);
    for (const auto& [column, row] : std::vector<std::pair<int32_t, int32_t>>{
             {21, 1}, {22, 9}, {21, 13}, {21, 15}, {20, 0}, {23, 0}, {20, 10}, {23, 14}}) {
        Palette(row, column);
    }
    EXPECT_EQ(dialog->beeps, 0);
    EXPECT_EQ(dialog->setupColour, 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(dialog->TimerRunning(kSetupTimer));
    // The edge of the board: x = 39 is column 0, x = 40 column 1.
    Palette(0);
    QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(39, 100));
    WaitSetupTick();
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 100));
    WaitSetupTick();
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kBlack);
}

TEST_F(SetupTest, RegionPointsToggleUpToAHundred) {
    Open();
    Press(kIdSetup);
    PlaceGroup();
    Palette(8);
    Board(8, 2);
    Palette(6);
    Palette(10);
    ASSERT_EQ(dialog->regionEditable, 1);
    const int32_t first = regionPoints[0];
    const int32_t before = listLength(regionPoints);
    ASSERT_GT(before, 1);

    // A second click on a region point removes it and redraws the others.
    ClickCell(pointX(first), pointY(first));
    EXPECT_EQ(listLength(regionPoints), before - 1);
    EXPECT_FALSE(listContains(regionPoints, first));
    EXPECT_NE(Centre(pointX(first), pointY(first)), kGreenPx);
    EXPECT_EQ(Centre(pointX(regionPoints[0]), pointY(regionPoints[0])), kGreenPx);
    EXPECT_EQ(Centre(8, 2), kRedPx);
    // ... and a third adds it back at the end.
    ClickCell(pointX(first), pointY(first));
    EXPECT_EQ(regionPoints[before - 1], first);
    EXPECT_EQ(Centre(pointX(first), pointY(first)), kGreenPx);

    // Stones are never region points.
    ClickCell(8, 3);
    EXPECT_EQ(listLength(regionPoints), before);

    // Fill the list with empty points of the lower board, then one more.
    int32_t next = pointAt(1, 10);
    while (listLength(regionPoints) < kListSlots) {
        ClickCell(pointX(next), pointY(next));
        ++next;
        if (pointX(next) == 0) {
            ++next;
        }
    }
    const PointList full = regionPoints;
    ClickCell(pointX(next), pointY(next));
    EXPECT_EQ(regionPoints.p, full.p);
    EXPECT_NE(Centre(pointX(next), pointY(next)), kGreenPx);

    // In the set-up mode a click never toggles the region.
    Press(kIdSetup);
    ClickCell(1, 19);
    EXPECT_EQ(regionPoints.p, full.p);
}

}  // namespace
