// Undo, redo and restart over a play-out: each puts back the board (ko mark
// included), the side and the region exactly as the move or pass left them.
#include <cstring>

#include "dialog_fixture.h"

namespace {

// The cutting-point ko on the top side (white to move, target (8, 2)), and a
// black stone in the lower left corner that white can capture.
const std::vector<std::string> kKoAndCorner = {
    "0000021010120000000", "0000021101120000000", "0000022202220000000",
    "0000000222000000000", "0000000000000000000", "0000000000000000000",
    "0000000000000000000", "0000000000000000000", "0000000000000000000",
    "0000000000000000000", "0000000000000000000", "0000000000000000000",
    "0000000000000000000", "0000000000000000000", "0000000000000000000",
    "0000000000000000000", "0000000000000000000", "0000000000000000000",
    "1200000000000000000"};

struct Snapshot {
    Board board;
    int32_t side;
    PointList region;
};

Snapshot Now() {
    Snapshot s;
    copyBoard(s.board, problemBoard);
    s.side = sideToMove;
    s.region = regionPoints;
    return s;
}

bool Same(const Snapshot& a, const Snapshot& b) {
    return std::memcmp(a.board.cell, b.board.cell, sizeof a.board.cell) == 0 && a.side == b.side &&
           a.region.p == b.region.p;
}

class HistoryTest : public DialogTest {
protected:
    // Undo, redo, restart.
    std::vector<bool> PlayButtons() const {
        return {dialog->Control(kIdUndo)->isEnabled(), dialog->Control(kIdRedo)->isEnabled(),
                dialog->Control(kIdRestart)->isEnabled()};
    }
};

TEST_F(HistoryTest, UndoRedoAndRestartPutEveryPositionBack) {
    Open();
    dialog->LoadProblem(WriteFile("ko.ban", BanText("* /t=2 /mark=[8,2]", kKoAndCorner)));
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    const Snapshot problem = Now();
    EXPECT_EQ(PlayButtons(), (std::vector<bool>{false, false, false}));
    Press(kIdSolve);
    WaitForMove();

    // Each snapshot is taken right after the move, before the next solve starts.
    ClickAndTick(9, 2);  // white cuts
    const Snapshot cut = Now();
    EXPECT_EQ(PlayButtons(), (std::vector<bool>{false, false, false}));  // while solving
    WaitForMove();
    ClickAndTick(9, 3);  // black takes the ko
    const Snapshot ko = Now();
    EXPECT_EQ(problemBoard[pointAt(9, 2)], kKoMark);
    WaitForMove();
    ClickAndTick(1, 18);  // white captures in the corner
    const Snapshot capture = Now();
    EXPECT_EQ(colourOf(problemBoard[pointAt(1, 19)]), kEmpty);
    WaitForMove();
    Press(kIdPass);  // black passes
    const Snapshot pass = Now();
    EXPECT_EQ(pass.side, kWhite);
    WaitForMove();
    EXPECT_EQ(PlayButtons(), (std::vector<bool>{true, false, true}));

    Press(kIdUndo);
    EXPECT_TRUE(Same(Now(), capture));
    EXPECT_EQ(dialog->state, AwaitingMove);
    EXPECT_EQ(dialog->fileLineText.left(3), QStringLiteral("黒番 "));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Same(Now(), ko));
    EXPECT_EQ(Centre(9, 3), kBlackPx);
    EXPECT_EQ(Centre(9, 2), kBlackPx);  // the grid crossing of the taken stone's point
    Key(Qt::Key_Left);
    EXPECT_TRUE(Same(Now(), cut));
    EXPECT_EQ(PlayButtons(), (std::vector<bool>{true, true, true}));
    Key(Qt::Key_Home);
    EXPECT_TRUE(Same(Now(), problem));
    EXPECT_EQ(dialog->state, Idle);  // the problem as loaded: regions editable again
    EXPECT_EQ(dialog->regionEditable, 1);
    EXPECT_EQ(Centre(pointX(problem.region[0]), pointY(problem.region[0])), kGreenPx);
    EXPECT_FALSE(dialog->Control(kIdPass)->isEnabled());
    EXPECT_EQ(PlayButtons(), (std::vector<bool>{false, true, false}));

    // Redo plays the move again and solves, as the move did.
    boxes.clear();
    Key(Qt::Key_Right);
    EXPECT_TRUE(Same(Now(), cut));
    EXPECT_EQ(dialog->state, SolveRequested);
    WaitForMove();
    EXPECT_EQ(boxes.back(), "黒石を打って下さい");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(Same(Now(), ko));
    WaitForMove();
    Press(kIdRedo);
    EXPECT_TRUE(Same(Now(), capture));
    WaitForMove();
    Press(kIdRedo);
    EXPECT_TRUE(Same(Now(), pass));
    WaitForMove();

    // A new move after an undo drops the moves that redo had left.
    Press(kIdUndo);
    Press(kIdUndo);
    ClickAndTick(2, 18);
    WaitForMove();
    EXPECT_EQ(PlayButtons(), (std::vector<bool>{true, false, true}));
    Press(kIdUndo);
    EXPECT_TRUE(Same(Now(), ko));
}

TEST_F(HistoryTest, UndoBringsBackACapturedTarget) {
    Open();
    dialog->LoadProblem(WriteFile("cap.ban", BanText("* /t=1 /mark=[1,1]", {"21"})));
    const Snapshot problem = Now();
    Press(kIdSolve);
    WaitForMove();
    ClickAndTick(1, 2);
    EXPECT_EQ(boxes.back(), "目標石が取られました");  // and the play mode ends
    EXPECT_EQ(dialog->offscreenPicture.pixel(cellLeft(1) + 5, cellTop(1) + 5) & 0xFFFFFF, kWoodPx);
    EXPECT_FALSE(dialog->TimerRunning(kSolveTimer));
    Press(kIdUndo);
    EXPECT_TRUE(Same(Now(), problem));
    EXPECT_EQ(Centre(1, 1), kRedPx);
    boxes.clear();
    Press(kIdRedo);  // taken again, and said so again
    EXPECT_EQ(boxes, std::vector<std::string>{"目標石が取られました"});
    EXPECT_EQ(dialog->state, Idle);
    Press(kIdRestart);
    EXPECT_TRUE(Same(Now(), problem));

    Press(kIdSetup);  // no history in the set-up mode
    EXPECT_EQ(PlayButtons(), (std::vector<bool>{false, false, false}));
}

}  // namespace
