// The load and save commands with their dialogs answered by the test, and the
// problem named on the command line.
#include <filesystem>

#include <sys/stat.h>

#include "dialog_fixture.h"

namespace {

class LoadSaveTest : public DialogTest {
protected:
    std::string Three(const std::string& header, const std::string& name = "three.ban") {
        return WriteFile(name, BanText(header, kStraightThree));
    }
};

TEST_F(LoadSaveTest, LoadAddsBanToANameWithoutADotAndReportsTheMissingTargetOrSide) {
    ASSERT_EQ(mkdir((tempDir + "/a.b").c_str(), 0700), 0);
    Three("* /t=1 /mark=[9,2]", "a.b/three.ban");
    Three("* /t=1 /mark=[9,2]");
    Open();
    Load(tempDir + "/three");
    EXPECT_EQ(fileDialogs, std::vector<bool>{false});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(FileLine(), "黒番 " + tempDir + "/three.ban");
    EXPECT_EQ(Centre(9, 1), kGreenPx);  // a region point

    Load(tempDir + "/a.b/three");  // a dot in a directory: no ".ban", nothing read
    EXPECT_EQ(FileLine(), " " + tempDir + "/a.b/three");  // empty side text
    EXPECT_EQ(boxes, (std::vector<std::string>{"目標石選択エラー", "手番設定エラー"}));
    EXPECT_EQ(targetPoint, 0);
    EXPECT_EQ(listLength(regionPoints), 0);

    dialog->LoadProblem(tempDir + "/" + std::string(300, 'x'));
    EXPECT_EQ(FileLine().size(), 255u);  // the status line is cut

    boxes.clear();
    Load(Three("* /t=2 /mark=[1,1]"));
    EXPECT_EQ(boxes, std::vector<std::string>{"目標石選択エラー"});
    EXPECT_EQ(sideToMove, kWhite);
    EXPECT_EQ(problemBoard[pointAt(7, 1)], kWhite);  // the rest is loaded
    EXPECT_EQ(listLength(regionPoints), 0);          // no region without a target

    boxes.clear();
    Load(Three("* /t=3 /mark=[9,2]"));
    EXPECT_EQ(boxes, std::vector<std::string>{"手番設定エラー"});
    EXPECT_EQ(sideToMove, 0);
    ASSERT_GT(listLength(regionPoints), 0);  // marks drawn before the message
    EXPECT_EQ(Centre(pointX(regionPoints[0]), pointY(regionPoints[0])), kGreenPx);
}

TEST_F(LoadSaveTest, SaveChecksSideAndTargetThenWritesOrReportsTheOpenError) {
    Open();
    Press(kIdSave);  // start-up: black to move, no target
    sideToMove = 0;
    Press(kIdSave);
    EXPECT_EQ(boxes, (std::vector<std::string>{"目標石が入力されていません",
                                               "黒番／白番が入力されていません"}));
    EXPECT_TRUE(fileDialogs.empty());

    LoadThree();
    Save(tempDir + "/copy");
    EXPECT_EQ(fileDialogs, std::vector<bool>{true});
    EXPECT_EQ(FileLine(), "黒番 " + tempDir + "/copy.ban");
    EXPECT_EQ(Read(tempDir + "/copy.ban").substr(0, 20), "* /t=1 /mark=[9,2]\r\n");

    Save(tempDir + "/missing/x.ban");
    EXPECT_EQ(FileLine(), "黒番 " + tempDir + "/missing/x.ban");
    EXPECT_EQ(dialog->messageLineText, QStringLiteral("dummy.ban open error"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LoadSaveTest, CommandLineWithOrWithoutQuotesAndABoardThatCannotBeSolved) {
    const std::string path = Three("* /t=1 /mark=[9,2]", "100%.ban");
    Open("\"" + path + "\"");
    EXPECT_EQ(FileLine(), "黒番 \"" + path + "\"");  // the per-cent sign as it is
    EXPECT_EQ(targetPoint, pointAt(9, 2));
    EXPECT_GT(listLength(regionPoints), 0);
    dialog.reset();

    Open(Three("* /t=1 /mark=[2,2]"));  // unquoted, and no stone at the target
    EXPECT_EQ(boxes, std::vector<std::string>{"目標石選択エラー"});
    EXPECT_EQ(listLength(regionPoints), 0);

    // The black target at (1,1) has no liberty: shown, but no region and no solve.
    boxes.clear();
    Load(WriteFile("taken.ban", BanText("* /t=2 /mark=[1,1]", {"12", "2"})));
    EXPECT_EQ(boxes, std::vector<std::string>{"石に呼吸点がありません"});
    EXPECT_EQ(Centre(1, 1), kRedPx);
    EXPECT_EQ(listLength(regionPoints), 0);
    boxes.clear();
    Press(kIdSolve);  // not solved either
    EXPECT_EQ(boxes, std::vector<std::string>{"石に呼吸点がありません"});
    EXPECT_EQ(dialog->state, Idle);
}

TEST_F(LoadSaveTest, FilesThatAreNoProblemsAreRefused) {
    Open();
    LoadThree();
    const std::string loaded = FileLine();
    ASSERT_EQ(mkdir((tempDir + "/folder.d").c_str(), 0700), 0);
    const std::string fifo = tempDir + "/pipe.ban";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string big = BanText("* /t=1 /mark=[9,2]", kStraightThree);
    big += std::string(110 * 1024, ' ');
    const std::pair<std::string, std::string> files[] = {
        {WriteFile("passwd.ban", "root:x:0:0:root:/root:/bin/bash\n1:2:1:2\n"),
         "「*」で始まる見出し行がありません"},
        {WriteFile("bytes.ban", std::string("* /t=1\n12\0\x01" "21\n", 11)),
         "文字でないバイトがあります"},
        {WriteFile("big.ban", big), "100 kB を超えています"},
        {tempDir + "/folder.d", "フォルダです"},
        {fifo, "FIFOです"},  // refused without waiting for a writer
        {"/dev/./null", "デバイスです"},  // with a dot, so no ".ban" is added
    };
    for (const auto& [path, why] : files) {
        boxes.clear();
        Load(path);
        EXPECT_EQ(boxes, std::vector<std::string>{path + "\nは問題ファイルではありません: " + why});
        // The problem on the board stays as it was.
        EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);
        EXPECT_EQ(FileLine(), loaded);
        EXPECT_EQ(Centre(9, 2), kRedPx);
    }
}

TEST_F(LoadSaveTest, EveryExampleAndEveryWrittenFileLoads) {
    Open();
    int32_t seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Example(""))) {
        const std::string name = entry.path().string();
        if (entry.path().extension() != ".ban") {
            continue;
        }
        boxes.clear();
        Load(name);
        EXPECT_TRUE(boxes.empty()) << name;
        EXPECT_NE(targetStone(), 0) << name;
        Save(tempDir + "/again.ban");
        Load(tempDir + "/again.ban");
        EXPECT_TRUE(boxes.empty()) << name;
        seen += 1;
    }
    EXPECT_GE(seen, 15);
}

}  // namespace
