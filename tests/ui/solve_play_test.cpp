// A whole solve from the button, the outcome on the picture, the play mode,
// the pass, and the solves the window refuses to start.
#include <QLineEdit>
#include <QTest>

#include "dialog_fixture.h"
#include "display/board_display.h"
#include "problem/problem.h"
#include "search/keys.h"
#include "search/solve.h"

namespace {

constexpr uint32_t kWhitePx = 0xFFFFFF;
constexpr uint32_t kWoodPx = 0xE0A040;

const std::vector<bool> kAllOn = {true, true, true, true, true};
const std::vector<bool> kAllOff = {false, false, false, false, false};

std::string BoardFile(const std::string& header, const std::vector<std::string>& topRows) {
    std::string text = header + "\n";
    for (int32_t row = 0; row < kBoardSize; ++row) {
        text += (row < static_cast<int32_t>(topRows.size()) ? topRows[row]
                                                            : std::string(19, '0')) + "\n";
    }
    return text;
}

// White's straight three on the top side; black kills at (9, 1).
const std::vector<std::string> kStraightThree = {
    "0000012000210000000", "0000012222210000000", "0000011111110000000"};

class SolveTest : public DialogTest {
protected:
    void LoadStraightThree(const std::string& header = "* /t=1 /mark=[9,2]") {
        const std::string path = WriteFile("three.ban", BoardFile(header, kStraightThree));
        dialog->LoadProblem(path);
    }
    void SetCpuField(const char* text) {
        auto* field = static_cast<QLineEdit*>(dialog->Control(kIdCpuCount));
        field->clear();
        QTest::keyClicks(field, QString::fromUtf8(text));
    }
    void WaitForMove() {
        ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    }
    // White ink on wood in the label box of a point.
    int32_t LabelInk(int32_t column, int32_t row) const {
        int32_t ink = 0;
        for (int32_t y = 24 * row + 62; y < 24 * row + 74; ++y) {
            for (int32_t x = 24 * column + 22; x < 24 * column + 34; ++x) {
                const uint32_t px = Pixel(x, y);
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
    LoadStraightThree();
    boxes.clear();
    std::vector<bool> whileSolving;
    int32_t stateWhileSolving = -1;
    onBox = [&](const AnsweredBox& box) {
        // The outcome box comes from worker 0 while the window still polls.
        if (box.caption == "詰碁" && whileSolving.empty()) {
            whileSolving = ButtonsEnabled();
            stateWhileSolving = dialog->state;
        }
    };

    Press(kIdSolve);
    EXPECT_EQ(dialog->state, SolveRequested);
    EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{true, true, true, false, false}));
    EXPECT_EQ(timeLimitSeconds, 100000);
    const uint64_t firstKey = blackKeys[pointAt(9, 1)];
    WaitForMove();
    EXPECT_EQ(whileSolving, kAllOff);
    EXPECT_EQ(stateWhileSolving, Solving);
    EXPECT_EQ(dialog->messageLineText, QStringLiteral("=== 開始 ==="));
    EXPECT_EQ(dialog->regionEditable, 0);

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "詰碁");
    EXPECT_EQ(boxes[0].text.substr(0, 6), "死に");
    EXPECT_NE(boxes[0].text.find("Judged 回数"), std::string::npos);
    EXPECT_EQ(boxes[1].caption, "Ostrel");
    EXPECT_EQ(boxes[1].text, "黒石を打って下さい");
    EXPECT_EQ(ButtonsEnabled(), kAllOn);
    // The killing move carries the label "Ａ"; the labelled board is the problem.
    EXPECT_GT(LabelInk(9, 1), 5);
    EXPECT_EQ(LabelInk(8, 1), -1);  // the grid shows through: no label
    EXPECT_EQ(problemBoard[pointAt(9, 1)], kEmpty);

    // An occupied point is refused and the window keeps waiting.
    boxes.clear();
    ClickCellAndTick(kSolveTimer, 9, 2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "打てません");
    EXPECT_EQ(dialog->state, AwaitingMove);

    // A click beside the board does nothing.
    ClickCellAndTick(kSolveTimer, 21, 3);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(dialog->state, AwaitingMove);

    // The killing move is played and solved again with the same keys.
    boxes.clear();
    ClickCellAndTick(kSolveTimer, 9, 1);
    EXPECT_EQ(problemBoard[pointAt(9, 1)], kBlack);
    EXPECT_EQ(sideToMove, kWhite);
    EXPECT_TRUE(dialog->state == SolveRequested || dialog->state == Solving);
    EXPECT_TRUE(listContains(regionPoints, pointAt(8, 1)));
    WaitForMove();
    EXPECT_EQ(blackKeys[pointAt(9, 1)], firstKey);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "白石を打って下さい");

    // A pass hands the same position to the other side.
    boxes.clear();
    Press(kIdPass);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_EQ(dialog->state, SolveRequested);
    WaitForMove();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "黒石を打って下さい");
    EXPECT_EQ(blackKeys[pointAt(9, 1)], firstKey);

    // A new solve from the button draws new keys.
    Press(kIdSolve);
    EXPECT_NE(blackKeys[pointAt(9, 1)], firstKey);
    WaitForMove();

    // Loading while a move is awaited ends the play mode.
    LoadStraightThree();
    EXPECT_EQ(dialog->state, Idle);
    EXPECT_FALSE(dialog->TimerRunning(kSolveTimer));
    EXPECT_EQ(dialog->regionEditable, 1);
}

TEST_F(SolveTest, SolveRefusesBadCpuCountsAndIncompleteProblems) {
    Open();
    // Start-up: no target stone.
    Press(kIdSolve);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "目標石選択エラー");
    EXPECT_EQ(dialog->state, Idle);

    LoadStraightThree("* /t=0 /mark=[9,2]");
    boxes.clear();
    Press(kIdSolve);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "黒番／白番設定エラー");

    LoadStraightThree();
    for (const char* bad : {"0", "17", "abc", "-2", "99999999999999"}) {
        boxes.clear();
        SetCpuField(bad);
        EXPECT_EQ(dialog->cpuCountText, QString::fromUtf8(bad));
        Press(kIdSolve);
        ASSERT_EQ(boxes.size(), 1u) << bad;
        EXPECT_EQ(boxes[0].text, "CPU数は1から16の範囲で入力して下さい");
        EXPECT_EQ(dialog->state, Idle);
        EXPECT_FALSE(dialog->TimerRunning(kSolveTimer));
        EXPECT_TRUE(dialog->Control(kIdSetup)->isEnabled());
    }
    // Leading blanks and trailing text are read as the count in front.
    boxes.clear();
    SetCpuField(" 1x");
    Press(kIdSolve);
    EXPECT_EQ(dialog->state, SolveRequested);
    EXPECT_EQ(workerCount, 1);
    WaitForMove();

    // In the play mode a bad count refuses the move and keeps the position.
    boxes.clear();
    SetCpuField("0");
    ClickCellAndTick(kSolveTimer, 9, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "CPU数は1から16の範囲で入力して下さい");
    EXPECT_EQ(problemBoard[pointAt(9, 1)], kEmpty);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_EQ(dialog->state, AwaitingMove);
}

TEST_F(SolveTest, CapturingTheTargetEndsThePlayMode) {
    Open();
    dialog->LoadProblem(WriteFile("cap.ban", BoardFile("* /t=1 /mark=[1,1]", {"21"})));
    Press(kIdSolve);
    WaitForMove();
    boxes.clear();
    ClickCellAndTick(kSolveTimer, 1, 2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "目標石が取られました");
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(dialog->state, Idle);
    EXPECT_FALSE(dialog->TimerRunning(kSolveTimer));
    EXPECT_EQ(Pixel(cellLeft(1) + 5, cellTop(1) + 5), kWoodPx);  // redrawn without it
}

TEST_F(SolveTest, PassWithoutASideDoesNothing) {
    Open();
    LoadStraightThree();
    Press(kIdSolve);
    WaitForMove();
    Press(kIdSetup);  // the pass button stays enabled, the side is cleared
    EXPECT_TRUE(dialog->Control(kIdPass)->isEnabled());
    EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(dialog->state, Idle);
    Press(kIdPass);
    EXPECT_EQ(sideToMove, 0);
    EXPECT_EQ(dialog->state, Idle);
}

}  // namespace
