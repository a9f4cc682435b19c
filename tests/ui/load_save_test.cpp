// The load and save commands with their file dialogs answered by the test,
// and the problem named on the command line.
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include "dialog_fixture.h"
#include "display/board_display.h"
#include "problem/problem.h"

namespace {

constexpr uint32_t kRedPx = 0xFF0000;
constexpr uint32_t kGreenPx = 0x00FF00;

// White's straight three on the top side, black to move, target (9, 2).
const char* const kBoardLines =
    "0000012000210000000\n"
    "0000012222210000000\n"
    "0000011111110000000\n"
    "0000000000000000000\n0000000000000000000\n0000000000000000000\n0000000000000000000\n"
    "0000000000000000000\n0000000000000000000\n0000000000000000000\n0000000000000000000\n"
    "0000000000000000000\n0000000000000000000\n0000000000000000000\n0000000000000000000\n"
    "0000000000000000000\n0000000000000000000\n0000000000000000000\n0000000000000000000\n";

std::string Problem(const std::string& header) {
    return header + "\n" + kBoardLines;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

class LoadSaveTest : public DialogTest {
protected:
    uint32_t Centre(int32_t p) const {
        return Pixel(cellLeft(pointX(p)) + 12, cellTop(pointY(p)) + 12);
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const AnsweredBox& box : boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST_F(LoadSaveTest, LoadAddsBanToAPathWithoutADot) {
    WriteFile("three.ban", Problem("* /t=1 /mark=[9,2]"));
    Open();
    nextPath = QString::fromStdString(tempDir + "/three");
    Press(kIdLoad);
    EXPECT_EQ(fileDialogs, std::vector<bool>{false});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_EQ(targetPoint, pointAt(9, 2));
    EXPECT_EQ(dialog->fileLineText.toStdString(), "黒先手 " + tempDir + "/three.ban");
    EXPECT_EQ(dialog->regionEditable, 1);
    EXPECT_EQ(Centre(targetPoint), kRedPx);
    ASSERT_GT(listLength(regionPoints), 0);
    EXPECT_TRUE(listContains(regionPoints, pointAt(9, 1)));
    for (int32_t i = 0; i < listLength(regionPoints); ++i) {
        EXPECT_EQ(Centre(regionPoints[i]), kGreenPx);
    }
    // Region points toggle after a load.
    ClickCell(9, 1);
    EXPECT_FALSE(listContains(regionPoints, pointAt(9, 1)));
}

TEST_F(LoadSaveTest, ADotInADirectoryKeepsTheNameAndAMissingFileResets) {
    const std::string dotted = tempDir + "/a.b";
    ASSERT_EQ(mkdir(dotted.c_str(), 0700), 0);
    WriteFile("a.b/three.ban", Problem("* /t=1 /mark=[9,2]"));
    Open();
    nextPath = QString::fromStdString(dotted + "/three");
    Press(kIdLoad);
    // Nothing was read: the line starts with the empty side text and a blank.
    EXPECT_EQ(dialog->fileLineText.toStdString(), " " + dotted + "/three");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"目標石選択エラー", "手番設定エラー"}));
    EXPECT_EQ(sideToMove, 0);
    EXPECT_EQ(targetPoint, 0);
    EXPECT_EQ(listLength(regionPoints), 0);
    EXPECT_EQ(problemBoard[pointAt(6, 1)], kEmpty);
}

TEST_F(LoadSaveTest, LoadReportsTheMissingTargetAndSide) {
    WriteFile("nostone.ban", Problem("* /t=2 /mark=[1,1]"));
    WriteFile("noside.ban", Problem("* /t=3 /mark=[9,2]"));
    Open();
    nextPath = QString::fromStdString(tempDir + "/nostone.ban");
    Press(kIdLoad);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"目標石選択エラー"});
    EXPECT_EQ(boxes[0].caption, "Ostrel");
    EXPECT_EQ(sideToMove, kWhite);
    EXPECT_EQ(problemBoard[pointAt(7, 1)], kWhite);  // the rest is loaded
    EXPECT_EQ(listLength(regionPoints), 0);          // no region without a target

    boxes.clear();
    nextPath = QString::fromStdString(tempDir + "/noside.ban");
    Press(kIdLoad);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"手番設定エラー"});
    EXPECT_EQ(sideToMove, 0);
    EXPECT_GT(listLength(regionPoints), 0);  // marks drawn before the message
    EXPECT_EQ(Centre(regionPoints[0]), kGreenPx);

    // A cancelled dialog changes nothing.
    boxes.clear();
    nextPath.clear();
    Press(kIdLoad);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(targetPoint, pointAt(9, 2));
}

TEST_F(LoadSaveTest, SaveChecksSideAndTargetBeforeAskingForAName) {
    Open();
    // Start-up: black to move, but no target.
    Press(kIdSave);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"目標石が入力されていません"});
    EXPECT_TRUE(fileDialogs.empty());

    boxes.clear();
    Press(kIdSetup);  // the set-up mode clears the side
    sideToMove = 0;
    dialog->OnSave();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"黒番／白番が入力されていません"});
    EXPECT_TRUE(fileDialogs.empty());
}

TEST_F(LoadSaveTest, SaveWritesTheProblemAndReportsAnUnwritablePath) {
    WriteFile("three.ban", Problem("* /t=1 /mark=[9,2]"));
    Open();
    dialog->LoadProblem(tempDir + "/three.ban");
    ASSERT_TRUE(boxes.empty());

    nextPath = QString::fromStdString(tempDir + "/copy");
    Press(kIdSave);
    EXPECT_EQ(fileDialogs, std::vector<bool>{true});
    EXPECT_EQ(dialog->fileLineText.toStdString(), tempDir + "/copy.ban");
    const std::string written = Slurp(tempDir + "/copy.ban");
    EXPECT_EQ(written.substr(0, 20), "* /t=1 /mark=[9,2]\r\n");
    EXPECT_EQ(written.size(), 20u + 19u * 21u);

    // A cancelled save dialog writes nothing and keeps the lines.
    nextPath.clear();
    Press(kIdSave);
    EXPECT_EQ(dialog->fileLineText.toStdString(), tempDir + "/copy.ban");

    nextPath = QString::fromStdString(tempDir + "/missing/dir/x.ban");
    Press(kIdSave);
    EXPECT_EQ(dialog->fileLineText.toStdString(), tempDir + "/missing/dir/x.ban");
    EXPECT_EQ(dialog->messageLineText, QStringLiteral("dummy.ban open error"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LoadSaveTest, CommandLinePathWithOrWithoutQuotes) {
    const std::string path = WriteFile("three.ban", Problem("* /t=1 /mark=[9,2]"));
    Open("\"" + path + "\"");
    EXPECT_EQ(dialog->fileLineText.toStdString(), "黒先手 \"" + path + "\"");
    EXPECT_EQ(targetPoint, pointAt(9, 2));
    EXPECT_EQ(dialog->regionEditable, 1);
    EXPECT_GT(listLength(regionPoints), 0);
    EXPECT_TRUE(boxes.empty());
    dialog.reset();

    Open(path);
    EXPECT_EQ(dialog->fileLineText.toStdString(), "黒先手 " + path);
    EXPECT_EQ(targetPoint, pointAt(9, 2));
}

TEST_F(LoadSaveTest, CommandLineWithoutATargetSkipsTheRegion) {
    const std::string path = WriteFile("100%.ban", Problem("* /t=1 /mark=[2,2]"));
    Open(path);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"目標石選択エラー"});
    EXPECT_EQ(listLength(regionPoints), 0);
    // The per-cent sign is shown as it is.
    EXPECT_EQ(dialog->fileLineText.toStdString(), "黒先手 " + path);
    EXPECT_EQ(dialog->state, Idle);
}

TEST_F(LoadSaveTest, LongStatusTextsAreCut) {
    Open();
    const std::string longName = tempDir + "/" + std::string(300, 'x');
    dialog->LoadProblem(longName);
    const std::string shown = dialog->fileLineText.toStdString();
    EXPECT_EQ(shown.size(), 255u);
    EXPECT_EQ(shown.substr(0, 1 + tempDir.size()), " " + tempDir);
}

}  // namespace
