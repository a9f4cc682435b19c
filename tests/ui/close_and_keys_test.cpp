// Keys that used to end the program, and the question before the window goes
// with changes that were not saved.
#include <QLineEdit>

#include "dialog_fixture.h"

namespace {

class CloseTest : public DialogTest {
protected:
    void LoadThree() {
        dialog->LoadProblem(WriteFile("three.ban", BanText("* /t=1 /mark=[9,2]", kStraightThree)));
    }
};

TEST_F(CloseTest, EnterAndEscapeNeverCloseTheWindow) {
    Open();
    LoadThree();
    auto* field = static_cast<QLineEdit*>(dialog->Control(kIdCpuCount));
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, QStringLiteral("1"));
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QTest::keyClick(dialog->Control(kIdSolve), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(targetPoint, pointAt(9, 2));
}

TEST_F(CloseTest, ClosingWithUnsavedChangesAsks) {
    Open();
    LoadThree();
    dialog->close();  // nothing changed: no question
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(dialog->isVisible());

    Open();
    LoadThree();
    Press(kIdSolve);
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    EXPECT_FALSE(dialog->UnsavedChanges());  // a solve alone changes nothing
    ClickAndTick(9, 1);  // a move of the play mode
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    EXPECT_TRUE(dialog->UnsavedChanges());
    answerYes = false;
    dialog->close();
    EXPECT_EQ(questions, std::vector<std::string>{"保存されていない変更があります。終了しますか？"});
    EXPECT_TRUE(dialog->isVisible());
    answerYes = true;
    dialog->close();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_FALSE(dialog->isVisible());

    // A set-up, then a save: nothing left to ask about.
    questions.clear();
    Open();
    LoadThree();
    Press(kIdSetup);
    ClickAndTick(21, 0);  // 黒石
    ClickAndTick(1, 19);
    ClickAndTick(21, 8);  // 目標石
    ClickAndTick(9, 2);
    ClickAndTick(21, 4);  // 黒先
    ClickAndTick(21, 10);
    EXPECT_TRUE(dialog->UnsavedChanges());
    nextPath = QString::fromStdString(tempDir + "/saved.ban");
    Press(kIdSave);
    EXPECT_FALSE(dialog->UnsavedChanges());
    dialog->close();
    EXPECT_TRUE(questions.empty());
}

}  // namespace
