// Stopping a solve with 中止 or Escape, and the time limit of the window.
#include <QLineEdit>

#include "dialog_fixture.h"

namespace {

// An open corner that takes the solver many seconds.
const std::vector<std::string> kOpenCorner = {"0000002", "0000002", "0000002", "0022222", "22"};

class StopThreadedTest : public DialogTest {
protected:
    void LoadCorner() {
        dialog->LoadProblem(WriteFile("open.ban", BanText("* /t=1 /mark=[3,4]", kOpenCorner)));
        boxes.clear();
    }
    void SetField(int32_t id, const char* text) {
        auto* field = static_cast<QLineEdit*>(dialog->Control(id));
        field->clear();
        QTest::keyClicks(field, QString::fromUtf8(text));
    }
};

TEST_F(StopThreadedTest, StopEndsTheSolveAsTheTimeLimitDoes) {
    Open();
    LoadCorner();
    EXPECT_FALSE(dialog->Control(kIdStop)->isEnabled());
    for (const char* workers : {"1", "2", "16"}) {
        SetField(kIdCpuCount, workers);
        boxes.clear();
        Press(kIdSolve);
        ASSERT_TRUE(WaitFor([&] { return dialog->state == Solving; }));
        EXPECT_TRUE(dialog->Control(kIdStop)->isEnabled());
        QTest::qWait(300);  // let the workers get going
        ASSERT_EQ(solveResult.load(), kSolveRunning) << workers;
        if (workers[0] == '2') {
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        } else {
            Press(kIdStop);
        }
        ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; })) << workers;
        EXPECT_EQ(solveResult.load(), kSolveCutOff);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].rfind("読み打ち切り time=", 0), 0u) << boxes[0];
        EXPECT_EQ(boxes[1], "黒石を打って下さい");
        EXPECT_FALSE(dialog->Control(kIdStop)->isEnabled());
        EXPECT_TRUE(dialog->Control(kIdPass)->isEnabled());
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(StopThreadedTest, TheTimeLimitFieldCutsTheSolveOff) {
    Open();
    LoadCorner();
    SetField(kIdCpuCount, "2");
    for (const char* bad : {"0", "-5", "x"}) {
        boxes.clear();
        SetField(kIdTimeLimit, bad);
        Press(kIdSolve);
        EXPECT_EQ(boxes, std::vector<std::string>{"制限時間(秒)は1以上で入力して下さい"}) << bad;
        EXPECT_EQ(dialog->state, Idle);
    }
    SetField(kIdTimeLimit, "1");
    boxes.clear();
    Press(kIdSolve);
    EXPECT_EQ(timeLimitSeconds, 1);
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    EXPECT_EQ(boxes.at(0).rfind("読み打ち切り time=", 0), 0u);

    SetField(kIdTimeLimit, "");  // empty: no limit, as before
    Press(kIdSolve);
    EXPECT_EQ(timeLimitSeconds, 100000);
    ASSERT_TRUE(WaitFor([&] { return dialog->state == Solving; }));
    Press(kIdStop);
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
}

}  // namespace
