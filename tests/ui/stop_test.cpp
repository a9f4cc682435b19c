// Stopping a solve with 中止 or Escape, and the time limit of the window.
#include "dialog_fixture.h"

namespace {

// Opens an open corner that takes the solver many seconds.
class StopThreadedTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        Open();
        const std::vector<std::string> corner = {"0000002", "0000002", "0000002", "0022222", "22"};
        dialog->LoadProblem(WriteFile("open.ban", BanText("* /t=1 /mark=[3,4]", corner)));
        boxes.clear();
    }
};

TEST_F(StopThreadedTest, StopEscapeAndTheTimeLimitCutTheSolveOff) {
    EXPECT_FALSE(dialog->Control(kIdStop)->isEnabled());
    for (const char* bad : {"0", "x"}) {
        boxes.clear();
        SetField(kIdTimeLimit, bad);
        Press(kIdSolve);
        EXPECT_EQ(boxes, std::vector<std::string>{"制限時間(秒)は1以上で入力して下さい"}) << bad;
        EXPECT_EQ(dialog->state, Idle);
    }
    // A one-second limit with two workers, then no limit (an empty field) and
    // 中止 with one worker, then Escape with two.
    for (const int32_t way : {0, 1, 2}) {
        SCOPED_TRACE(way);
        SetField(kIdCpuCount, way == 1 ? "1" : "2");
        SetField(kIdTimeLimit, way == 0 ? "1" : "");
        boxes.clear();
        Press(kIdSolve);
        EXPECT_EQ(timeLimitSeconds, way == 0 ? 1 : 100000);
        ASSERT_TRUE(WaitFor([&] { return dialog->state == Solving; }));
        EXPECT_TRUE(dialog->Control(kIdStop)->isEnabled());
        if (way > 0) {
            QTest::qWait(300);  // let the workers get going
            ASSERT_EQ(solveResult.load(), kSolveRunning);
            if (way == 1) {
                Press(kIdStop);
            } else {
                Key(Qt::Key_Escape);
            }
        }
        WaitForMove();
        EXPECT_EQ(solveResult.load(), kSolveCutOff);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].rfind("読み打ち切り time=", 0), 0u) << boxes[0];
        EXPECT_EQ(boxes[1], "黒石を打って下さい");
        EXPECT_FALSE(dialog->Control(kIdStop)->isEnabled());
        EXPECT_TRUE(dialog->isVisible());
    }
}

}  // namespace
