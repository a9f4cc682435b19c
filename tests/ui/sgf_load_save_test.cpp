// SGF files in the window: FILE読込 and FILE書込 by extension, the answer of a
// solve written with the problem, a problem without a target handed to the
// set-up mode, and a malformed file refused with the problem left as it was.
#include "dialog_fixture.h"
#include "problem/sgf_problem.h"

namespace {

// White to kill Black's bent three in the corner; target (2,2), (1,1) kills.
//   . . X O
//   . X X O
//   X X O O
//   O O O
constexpr char kBentThreeStones[] = "AB[ca][bb][cb][ac][bc]AW[da][db][cc][dc][ad][bd][cd]";

using SgfLoadSaveTest = DialogTest;

TEST_F(SgfLoadSaveTest, BothFormatsByExtensionAndTheAnswerOfASolve) {
    Open();
    Load(Example("side_bulky_five_white_lives.sgf"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(sideToMove, kWhite);
    EXPECT_EQ(targetPoint, pointAt(10, 3));
    EXPECT_EQ(Centre(10, 3), kRedPx);
    EXPECT_GT(listLength(regionPoints), 0);
    EXPECT_EQ(FileLine(), "白番 " + Example("side_bulky_five_white_lives.sgf"));

    // Saved as .ban and as .SGF, the example's twins; a name without a dot is a .ban.
    Save(tempDir + "/copy");
    EXPECT_EQ(Read(tempDir + "/copy.ban"), Read(Example("side_bulky_five_white_lives.ban")));
    Save(tempDir + "/copy.SGF");
    EXPECT_EQ(Read(tempDir + "/copy.SGF"), Read(Example("side_bulky_five_white_lives.sgf")));
    EXPECT_FALSE(dialog->UnsavedChanges());

    // After a solve the answer is written with the problem.
    Load(WriteFile("bent.sgf", std::string("(;PL[W]") + kBentThreeStones + "MA[bb])"));
    Press(kIdSolve);
    WaitForMove();
    Save(tempDir + "/solved.sgf");
    const std::string solved = Read(tempDir + "/solved.sgf");
    EXPECT_EQ(solved, std::string("(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[") + kSgfApplication + "]PL[W]" +
                          kBentThreeStones + "MA[bb]LB[aa:A]C[死に / dead: 1 correct first move]\n"
                                             "(;W[aa]C[Correct]))\n");
    // Loaded again: the same problem.
    boxes.clear();
    Load(tempDir + "/solved.sgf");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(targetPoint, pointAt(2, 2));

    // Another problem: the old answer is not written with it.
    dialog->LoadProblem(Example("corner_straight_three_white_lives.sgf"));
    Save(tempDir + "/other.sgf");
    EXPECT_EQ(Read(tempDir + "/other.sgf"), Read(Example("corner_straight_three_white_lives.sgf")));
}

TEST_F(SgfLoadSaveTest, NoTargetGoesToTheSetUpModeToPickOne) {
    Open();
    dialog->LoadProblem(Example("corner_bent_three_white_kills.sgf"));
    ASSERT_GT(listLength(regionPoints), 0);
    // Marks on the black string and on a white one: the user picks.
    Load(WriteFile("two.sgf", std::string("(;PL[W]") + kBentThreeStones + "TR[bb][cc])"));
    EXPECT_EQ(boxes, std::vector<std::string>{"目標石を選んでください: 印のある石が複数の連にあります (2,2) (3,3)"});
    EXPECT_TRUE(dialog->inSetup);
    EXPECT_EQ(sideToMove, kWhite);  // kept from the file
    EXPECT_EQ(listLength(regionPoints), 0);  // the last problem's region is gone
    ClickAndTick(2, 2);  // the target tool is already chosen
    EXPECT_EQ(targetPoint, pointAt(2, 2));
    ClickAndTick(21, 10);  // 終了
    EXPECT_FALSE(dialog->inSetup);
    EXPECT_GT(listLength(regionPoints), 0);

    boxes.clear();
    Load(WriteFile("none.sgf", std::string("(;") + kBentThreeStones + ";W[aa])"));
    EXPECT_EQ(boxes, std::vector<std::string>{"目標石を選んでください: 印 (MA, TR, SQ, CR) のある石がありません"});
    EXPECT_TRUE(dialog->inSetup);
    EXPECT_EQ(sideToMove, kWhite);  // the colour of the first move
}

TEST_F(SgfLoadSaveTest, MalformedFilesAreRefusedAndTheProblemStays) {
    Open();
    dialog->LoadProblem(Example("corner_bent_three_white_kills.sgf"));
    const std::string loaded = FileLine();
    const std::pair<std::string, std::string> files[] = {
        {WriteFile("cut.sgf", "(;PL[W]AB[aa]"),
         "unbalanced brackets: the game tree opened on line 1 is not closed (is the file cut short?)"},
        {tempDir + "/missing.sgf", "cannot open the file: No such file or directory"},
    };
    for (const auto& [path, why] : files) {
        boxes.clear();
        Load(path);
        EXPECT_EQ(boxes, std::vector<std::string>{path + "\nは読めません: " + why});
        EXPECT_EQ(targetPoint, pointAt(2, 2));
        EXPECT_EQ(sideToMove, kWhite);
        EXPECT_EQ(problemBoard[pointAt(1, 1)], kEmpty);  // nothing of the file applied
        EXPECT_EQ(FileLine(), loaded);
        EXPECT_FALSE(dialog->inSetup);
    }
}

}  // namespace
