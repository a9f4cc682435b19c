// 強化探索: off when the window opens; each solve searches in the order the
// box shows when it starts, and finds the same answer either way.
#include <QCheckBox>

#include "dialog_fixture.h"
#include "search/solve_state.h"

namespace {

class StrongSearchTest : public DialogTest {
protected:
    QCheckBox* Box() { return static_cast<QCheckBox*>(dialog->Control(kIdStrongSearch)); }
    // Solves the bent three (White kills at (1,1)) and returns the order used.
    SearchMode SolveBentThree() {
        Press(kIdSolve);
        EXPECT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
        EXPECT_EQ(lastOutcome.verdict, kSolveDead);
        EXPECT_EQ(lastOutcome.moves[0], pointAt(1, 1));
        EXPECT_EQ(lastOutcome.moves[1], 0);
        return lastOutcome.search;
    }
};

TEST_F(StrongSearchTest, EachSolveTakesTheBoxAsItIs) {
    Open(std::string(OSTREL_SOURCE_DIR) + "/examples/corner_bent_three_white_kills.ban");
    ASSERT_NE(Box(), nullptr);
    EXPECT_FALSE(Box()->isChecked());
    // The box tells which answer to take should the two orders ever differ.
    EXPECT_NE(Box()->toolTip().indexOf("通常の探索の答え"), -1);
    EXPECT_EQ(SolveBentThree(), SearchMode::kExact);
    Box()->setChecked(true);
    EXPECT_EQ(SolveBentThree(), SearchMode::kStrong);
    Box()->setChecked(false);
    EXPECT_EQ(SolveBentThree(), SearchMode::kExact);
    searchMode = SearchMode::kExact;
}

}  // namespace
