// Where the file dialogs open, a file dropped on the window, and the keys of
// the load, save and solve buttons.
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
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(dialog.get(), key, modifiers);
    }
};

TEST_F(FilesTest, DialogsOpenInTheFolderUsedLast) {
    ASSERT_EQ(mkdir((tempDir + "/first").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((tempDir + "/second").c_str(), 0700), 0);
    Open();
    nextPath = QString::fromStdString(Three("first/three.ban"));
    Press(kIdLoad);
    EXPECT_EQ(DialogFolder().toStdString(), tempDir + "/first");
    nextPath = QString::fromStdString(tempDir + "/second/saved.ban");
    Press(kIdSave);
    EXPECT_EQ(DialogFolder().toStdString(), tempDir + "/second");
    nextPath.clear();  // a cancelled dialog leaves the folder
    Press(kIdLoad);
    EXPECT_EQ(DialogFolder().toStdString(), tempDir + "/second");
}

TEST_F(FilesTest, ADroppedFileLoadsAsTheLoadButtonDoes) {
    Open();
    const std::string three = Three("three.ban");
    EXPECT_TRUE(Drop({three}));
    EXPECT_TRUE(fileDialogs.empty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(targetPoint, pointAt(9, 2));
    EXPECT_EQ(dialog->fileLineText.toStdString(), "黒番 " + three);
    EXPECT_EQ(Centre(9, 2), kRedPx);

    // Not a problem: refused as a load refuses it, and the problem stays.
    const std::string bytes = WriteFile("bytes.ban", std::string("* x\n\0\1\2", 7));
    EXPECT_TRUE(Drop({bytes}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("は問題ファイルではありません"), std::string::npos) << boxes[0];
    EXPECT_EQ(targetPoint, pointAt(9, 2));
    EXPECT_EQ(dialog->fileLineText.toStdString(), "黒番 " + three);

    // An SGF problem goes the same way.
    const std::string sgf =
        std::string(OSTREL_SOURCE_DIR) + "/examples/corner_bent_three_white_kills.sgf";
    EXPECT_TRUE(Drop({sgf}));
    EXPECT_EQ(targetPoint, pointAt(2, 2));
    EXPECT_EQ(sideToMove, kWhite);
    EXPECT_EQ(dialog->fileLineText.toStdString(), "白番 " + sgf);

    EXPECT_FALSE(Drop({three, bytes}));  // two files at once: not taken
    Press(kIdSetup);  // nor while FILE読込 cannot be pressed
    EXPECT_FALSE(Drop({three}));
}

TEST_F(FilesTest, CtrlOLoadsCtrlSSavesF5Solves) {
    Open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    nextPath = QString::fromStdString(Three("three.ban"));
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(fileDialogs, std::vector<bool>{false});
    EXPECT_EQ(targetPoint, pointAt(9, 2));

    nextPath = QString::fromStdString(tempDir + "/copy.ban");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(fileDialogs, (std::vector<bool>{false, true}));
    EXPECT_TRUE(std::ifstream(tempDir + "/copy.ban").good());

    Key(Qt::Key_F5);
    EXPECT_EQ(dialog->state, SolveRequested);
    ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; }));
    EXPECT_EQ(boxes.front().rfind("死に", 0), 0u);
}

}  // namespace
