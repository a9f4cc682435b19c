// Where the file dialogs open, a file dropped on the window, the keys of the
// load, save and solve buttons, keys that used to end the program, and the
// question before the window goes with changes that were not saved.
#include <sys/stat.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "dialog_fixture.h"

namespace {

class FilesTest : public DialogTest {
protected:
    std::string Three(const std::string& name) {
        return WriteFile(name, BanText("* /t=1 /mark=[9,2]", kStraightThree));
    }
    // Drops the files on the middle of the board; whether the drop was taken.
    bool Drop(const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
        }
        data.setUrls(urls);
        const QPoint at(cellLeft(10), cellTop(10));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &drop);
        return drop.isAccepted();
    }
};

// A drop loads as FILE読込 does, through the same call (refusals and SGF included).
TEST_F(FilesTest, ADroppedFileLoadsOnlyWhenFileLoadCouldBePressed) {
    Open();
    const std::string three = Three("three.ban");
    EXPECT_TRUE(Drop({three}));
    EXPECT_TRUE(fileDialogs.empty());
    EXPECT_EQ(FileLine(), "黒番 " + three);
    EXPECT_EQ(Centre(9, 2), kRedPx);

    EXPECT_FALSE(Drop({three, three}));  // two files at once: not taken
    Press(kIdSetup);
    EXPECT_FALSE(Drop({three}));
}

TEST_F(FilesTest, KeysOfTheButtonsAndDialogsInTheFolderUsedLast) {
    ASSERT_EQ(mkdir((tempDir + "/first").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((tempDir + "/second").c_str(), 0700), 0);
    Open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    nextPath = QString::fromStdString(Three("first/three.ban"));
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(fileDialogs, std::vector<bool>{false});
    EXPECT_EQ(targetPoint, pointAt(9, 2));
    EXPECT_EQ(DialogFolder().toStdString(), tempDir + "/first");

    nextPath = QString::fromStdString(tempDir + "/second/copy.ban");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(fileDialogs, (std::vector<bool>{false, true}));
    EXPECT_TRUE(std::ifstream(tempDir + "/second/copy.ban").good());
    EXPECT_EQ(DialogFolder().toStdString(), tempDir + "/second");
    Load("");  // a cancelled dialog leaves the folder and the problem
    EXPECT_EQ(DialogFolder().toStdString(), tempDir + "/second");
    EXPECT_EQ(targetPoint, pointAt(9, 2));

    // Enter and Escape never close the window.
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

    Key(Qt::Key_F5);
    EXPECT_EQ(dialog->state, SolveRequested);
    WaitForMove();
    EXPECT_EQ(boxes.front().rfind("死に", 0), 0u);
}

TEST_F(FilesTest, ClosingWithUnsavedChangesAsks) {
    Open();
    LoadThree();
    dialog->close();  // nothing changed: no question
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(dialog->isVisible());

    Open();
    LoadThree();
    Press(kIdSolve);
    WaitForMove();
    EXPECT_FALSE(dialog->UnsavedChanges());  // a solve alone changes nothing
    ClickAndTick(9, 1);  // a move of the play mode
    WaitForMove();
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
    Save(tempDir + "/saved.ban");
    EXPECT_FALSE(dialog->UnsavedChanges());
    dialog->close();
    EXPECT_TRUE(questions.empty());
}

}  // namespace
