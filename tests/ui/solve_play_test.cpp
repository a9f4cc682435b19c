// A whole solve from the button, the outcome on the picture, the play mode,
// the pass, the solves the window refuses to start, 自動応手 (the solver
// answers the user's move with the first move it labels) and 強化探索.
#include <QCheckBox>

#include "dialog_fixture.h"
#include "search/keys.h"
#include "search/solve_state.h"

namespace {

const std::vector<bool> kAllOn(5, true);
const std::vector<bool> kAllOff(5, false);
const char* const kCpuError = "CPU数は1から16の範囲で入力して下さい";

class SolveTest : public DialogTest {
protected:
    // Empty points carrying a move label.
    int32_t LabelledPoints() const {
        int32_t count = 0;
        for (int32_t row = 1; row <= kBoardSize; ++row) {
            for (int32_t column = 1; column <= kBoardSize; ++column) {
                count += colourOf(problemBoard[pointAt(column, row)]) == kEmpty &&
                         LabelInk(column, row) > 5;
            }
        }
        return count;
    }
    // White ink on wood filling the label box of a point, or -1 for any other colour.
    int32_t LabelInk(int32_t column, int32_t row) const {
        int32_t ink = 0;
        for (int32_t y = 24 * row + 62; y < 24 * row + 74; ++y) {
            for (int32_t x = 24 * column + 22; x < 24 * column + 34; ++x) {
                const uint32_t px = dialog->offscreenPicture.pixel(x, y) & 0xFFFFFFu;
                if (px != kWhitePx && px != kWoodPx) {
                    return -1;
                }
                ink += px == kWhitePx;
            }
        }
        return ink;
    }
};

TEST_F(SolveTest, SolvePlayAndPassFromTheButtons) {
    Open();
    LoadThree();
    std::vector<bool> whileSolving;
    onBox = [&] {
        // Worker 0's outcome box comes while the window still polls.
        if (whileSolving.empty() && dialog->state == Solving) {
            whileSolving = Enabled();
        }
    };
    Press(kIdPass);  // disabled before a solve: the side stays black
    EXPECT_EQ(sideToMove, kBlack);
    Press(kIdSolve);
    EXPECT_EQ(dialog->state, SolveRequested);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, false, false}));
    const uint64_t key = blackKeys[pointAt(9, 1)];
    WaitForMove();
    EXPECT_EQ(whileSolving, kAllOff);
    EXPECT_EQ(Enabled(), kAllOn);
    EXPECT_EQ(dialog->messageLineText, QStringLiteral("=== 開始 ==="));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(captions, (std::vector<std::string>{"詰碁", "Ostrel"}));
    EXPECT_EQ(boxes[0].rfind("死に", 0), 0u);
    EXPECT_EQ(boxes[1], "黒石を打って下さい");
    EXPECT_GT(LabelInk(9, 1), 5);       // "Ａ" on the killing move
    EXPECT_EQ(LabelInk(8, 1), -1);      // the grid shows elsewhere

    boxes.clear();
    ClickAndTick(9, 2);  // occupied
    ClickAndTick(21, 3);  // beside the board: nothing
    EXPECT_EQ(boxes, std::vector<std::string>{"打てません"});
    EXPECT_EQ(dialog->state, AwaitingMove);

    boxes.clear();
    ClickAndTick(9, 1);  // played, and solved again with the same keys
    EXPECT_EQ(problemBoard[pointAt(9, 1)], kBlack);
    EXPECT_EQ(sideToMove, kWhite);
    WaitForMove();
    EXPECT_EQ(blackKeys[pointAt(9, 1)], key);
    EXPECT_EQ(boxes.back(), "白石を打って下さい");

    Press(kIdPass);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_EQ(dialog->state, SolveRequested);
    WaitForMove();
    EXPECT_EQ(blackKeys[pointAt(9, 1)], key);

    Press(kIdSolve);  // a new solve draws new keys
    EXPECT_NE(blackKeys[pointAt(9, 1)], key);
    WaitForMove();
    LoadThree();  // loading ends the play mode
    EXPECT_EQ(dialog->state, Idle);
    EXPECT_FALSE(dialog->Control(kIdPass)->isEnabled());
    Press(kIdSolve);
    WaitForMove();
    Press(kIdSetup);  // and so does the set-up mode
    EXPECT_EQ(Enabled(), kAllOff);
    EXPECT_EQ(dialog->state, Idle);
    EXPECT_FALSE(dialog->TimerRunning(kSolveTimer));
}

TEST_F(SolveTest, EveryOutcomeRedrawsTheBoardAndNamesItsVerdict) {
    Open();
    dialog->LoadProblem(Example("corner_straight_four_white_cannot_kill.ban"));
    boxes.clear();
    const auto nothingToPlay = [](const std::string& box) {
        const std::string tail = "\n打つ手が有りません";
        return box.rfind("生き  ", 0) == 0 && box.size() > tail.size() &&
               box.compare(box.size() - tail.size(), tail.size(), tail) == 0;
    };
    Press(kIdSolve);  // White to move: no placement kills
    WaitForMove();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(nothingToPlay(boxes[0])) << boxes[0];
    EXPECT_EQ(LabelledPoints(), 0);

    Press(kIdPass);  // Black to move: the moves that keep two eyes are labelled
    WaitForMove();
    EXPECT_GT(LabelledPoints(), 0);

    boxes.clear();
    Press(kIdPass);  // White again: nothing to show, and no label of Black's solve stays
    WaitForMove();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(nothingToPlay(boxes[0])) << boxes[0];
    EXPECT_EQ(LabelledPoints(), 0);
}

bool NoThreads(void (*)()) { return false; }

TEST_F(SolveTest, RefusedSolvesChangeNothing) {
    Open();
    Press(kIdSolve);  // start-up: no target stone
    EXPECT_EQ(boxes, std::vector<std::string>{"目標石選択エラー"});
    LoadThree();
    sideToMove = 0;
    Press(kIdSolve);
    EXPECT_EQ(boxes, std::vector<std::string>{"黒番／白番設定エラー"});

    LoadThree();
    for (const char* bad : {"0", "17", "abc", "99999999999999"}) {
        boxes.clear();
        SetField(kIdCpuCount, bad);
        Press(kIdSolve);
        EXPECT_EQ(boxes, std::vector<std::string>{kCpuError}) << bad;
        EXPECT_EQ(dialog->state, Idle);
    }

    // Threads that cannot start leave the window usable, and the next solve runs.
    boxes.clear();
    SetField(kIdCpuCount, "2");
    startWorkerThread = NoThreads;
    Press(kIdSolve);
    ASSERT_TRUE(WaitFor([&] { return !boxes.empty(); }));
    startWorkerThread = StartDetachedThread;
    EXPECT_EQ(boxes, std::vector<std::string>{"探索スレッドを2個起動できませんでした"});
    EXPECT_EQ(dialog->state, Idle);
    EXPECT_EQ(Enabled(), kAllOn);
    SetField(kIdCpuCount, " 1x");  // read up to the first non-digit
    Press(kIdSolve);
    EXPECT_EQ(workerCount, 1);
    WaitForMove();

    // In the play mode a bad count refuses the move and keeps the position.
    boxes.clear();
    SetField(kIdCpuCount, "0");
    ClickAndTick(9, 1);
    EXPECT_EQ(boxes, std::vector<std::string>{kCpuError});
    EXPECT_EQ(problemBoard[pointAt(9, 1)], kEmpty);
    EXPECT_EQ(dialog->state, AwaitingMove);
}

// Black's bent three in the corner; White to move kills at (1,1).
//   . . X O
//   . X X O
//   X X O O
//   O O O .
class BentThreeTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        Open(Example("corner_bent_three_white_kills.ban"));
    }
    QCheckBox* Box(int32_t id) { return static_cast<QCheckBox*>(dialog->Control(id)); }
    void Solve(bool autoReply) {
        Box(kIdAutoReply)->setChecked(autoReply);
        Press(kIdSolve);
        WaitForMove();
        boxes.clear();
    }
};

TEST_F(BentThreeTest, AutoReplyRefutesAWrongMoveOnly) {
    Solve(true);
    ClickAndTick(2, 1);  // White places on the wrong point
    WaitForMove();
    // Black's solve finds the capture at (1,1) and plays it; then White's
    // solve shows that nothing kills any more.
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kBlack);
    EXPECT_EQ(problemBoard[pointAt(2, 1)], kEmpty);
    EXPECT_EQ(sideToMove, kWhite);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].rfind("生き", 0), 0u) << boxes[0];
    EXPECT_EQ(boxes[1].rfind("生き", 0), 0u) << boxes[1];
    EXPECT_NE(boxes[1].find("打つ手が有りません"), std::string::npos) << boxes[1];
    EXPECT_EQ(boxes[2], "白石を打って下さい");
    EXPECT_EQ(dialog->history.current, 2);

    Press(kIdUndo);  // one step back: the solver's move goes
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(problemBoard[pointAt(2, 1)], kWhite);
    EXPECT_EQ(sideToMove, kBlack);

    Press(kIdRestart);
    Solve(true);
    ClickAndTick(1, 1);  // the vital point: nothing lives for Black, so no reply
    WaitForMove();
    EXPECT_EQ(sideToMove, kBlack);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rfind("死に", 0), 0u) << boxes[0];
    EXPECT_EQ(dialog->history.current, 1);
}

// Each solve searches in the order the 強化探索 box shows when it starts, and
// finds the same answer either way; the box is off when the window opens.
TEST_F(BentThreeTest, EachSolveTakesTheStrongSearchBoxAsItIs) {
    EXPECT_FALSE(Box(kIdStrongSearch)->isChecked());
    // The box tells which answer to take should the two orders ever differ.
    EXPECT_NE(Box(kIdStrongSearch)->toolTip().indexOf("通常の探索の答え"), -1);
    for (const bool strong : {false, true, false}) {
        Box(kIdStrongSearch)->setChecked(strong);
        Solve(false);
        EXPECT_EQ(lastOutcome.search, strong ? SearchMode::kStrong : SearchMode::kExact);
        EXPECT_EQ(lastOutcome.verdict, kSolveDead);
        EXPECT_EQ(lastOutcome.moves[0], pointAt(1, 1));
        EXPECT_EQ(lastOutcome.moves[1], 0);
    }
    searchMode = SearchMode::kExact;
}

}  // namespace
