// 自動応手: the solver answers the user's move with the first move it labels.
#include <QCheckBox>

#include "dialog_fixture.h"

namespace {

// Black's bent three in the corner; White to move kills at (1,1).
//   . . X O
//   . X X O
//   X X O O
//   O O O .
class AutoReplyTest : public DialogTest {
protected:
    void OpenBentThree(bool autoReply) {
        Open(std::string(OSTREL_SOURCE_DIR) + "/examples/corner_bent_three_white_kills.ban");
        static_cast<QCheckBox*>(dialog->Control(kIdAutoReply))->setChecked(autoReply);
        Press(kIdSolve);
        WaitForMove();
        boxes.clear();
    }
    void WaitForMove() {
        ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    }
    static bool StartsWith(const std::string& text, const std::string& head) {
        return text.rfind(head, 0) == 0;
    }
};

TEST_F(AutoReplyTest, AWrongMoveIsRefuted) {
    OpenBentThree(true);
    ClickAndTick(2, 1);  // White places on the wrong point
    WaitForMove();
    // Black's solve finds the capture at (1,1) and plays it; then White's
    // solve shows that nothing kills any more.
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kBlack);
    EXPECT_EQ(problemBoard[pointAt(2, 1)], kEmpty);
    EXPECT_EQ(sideToMove, kWhite);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_TRUE(StartsWith(boxes[0], "生き")) << boxes[0];
    EXPECT_TRUE(StartsWith(boxes[1], "生き")) << boxes[1];
    EXPECT_NE(boxes[1].find("打つ手が有りません"), std::string::npos) << boxes[1];
    EXPECT_EQ(boxes[2], "白石を打って下さい");
    EXPECT_EQ(dialog->history.current, 2);
    EXPECT_EQ(dialog->fileLineText.left(3), QStringLiteral("白番 "));

    Press(kIdUndo);  // one step back: the solver's move goes
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(problemBoard[pointAt(2, 1)], kWhite);
    EXPECT_EQ(sideToMove, kBlack);
}

TEST_F(AutoReplyTest, NoReplyWhenNoMoveIsShown) {
    OpenBentThree(true);
    ClickAndTick(1, 1);  // the vital point: nothing lives for Black
    WaitForMove();
    EXPECT_EQ(sideToMove, kBlack);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(StartsWith(boxes[0], "死に")) << boxes[0];
    EXPECT_EQ(boxes[1], "黒石を打って下さい");
    EXPECT_EQ(dialog->history.current, 1);
}

TEST_F(AutoReplyTest, OffTheUserPlaysBothSides) {
    OpenBentThree(false);
    ClickAndTick(2, 1);
    WaitForMove();
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(sideToMove, kBlack);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "黒石を打って下さい");
}

}  // namespace
