// The window in English: the compiled translation installed before the window
// is built, the language chosen from the command line, and the outcome box.
#include "dialog_fixture.h"
#include "support/run_command.h"
#include "search/node_search.h"
#include "search/solve_outcome.h"
#include "ui/language.h"
#include "ui/solve_outcome_view.h"

namespace {

class EnglishTest : public DialogTest {
protected:
    void TearDown() override {
        DialogTest::TearDown();
        UseLanguage(WindowLanguage::Japanese);
    }
    std::string Text(int32_t id) const {
        return static_cast<QAbstractButton*>(dialog->Control(id))->text().toStdString();
    }
};

// A black stone at (1,1) of an otherwise empty board, black to move.
SolveOutcome Outcome(int32_t firstPass, int32_t secondPass, int32_t firstMove) {
    SolveOutcome outcome;
    clearBoard(outcome.board);
    outcome.side = kBlack;
    outcome.target = pointAt(1, 1);
    outcome.board[pointAt(1, 1)] = kBlack;
    outcome.firstPass = firstPass;
    outcome.secondPass = secondPass;
    outcome.seconds = 3;
    outcome.memoryBytes = 5u << 20;
    outcome.judgments = 42;
    outcome.depth = 7;
    outcome.moves[0] = firstMove;
    DescribeOutcome(outcome, true);
    return outcome;
}

TEST_F(EnglishTest, OutcomeBoxesInBothLanguages) {
    const SolveOutcome labelled = Outcome(1, 0, pointAt(2, 1));
    const SolveOutcome none = Outcome(0, 0, 0);
    const SolveOutcome ko = Outcome(0, 1, pointAt(2, 1));
    const SolveOutcome cut = Outcome(kSearchTimeUp, 0, pointAt(2, 1));
    EXPECT_EQ(OutcomeBoxText(labelled).toStdString(), labelled.boxText);  // Japanese
    UseLanguage(WindowLanguage::English);
    EXPECT_EQ(OutcomeBoxText(labelled).toStdString(), "alive  3[sec]  memory 5MByte\nJudged 42 times  depth 7");
    EXPECT_EQ(OutcomeBoxText(none).toStdString(), "dead  3[sec]  memory 5MByte\nNo move to show");
    EXPECT_EQ(OutcomeBoxText(ko).toStdString(), "ko  3[sec]  memory 5MByte\nJudged 42 times  depth 7");
    EXPECT_EQ(OutcomeBoxText(cut).toStdString(), "Search cut off time=3[sec]");
}

TEST_F(EnglishTest, TheWindowInEnglish) {
    UseLanguage(WindowLanguage::English);
    Open();
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Quenlo's tsumego proof number search");
    const std::pair<int32_t, const char*> buttons[] = {
        {kIdLoad, "Load file"},    {kIdSetup, "Set up"},           {kIdSave, "Save file"},
        {kIdSolve, "Solve all"},   {kIdPass, "Pass"},              {kIdStop, "Stop"},
        {kIdAutoReply, "Replies"}, {kIdStrongSearch, "Strong"},    {kIdUndo, "Undo"},
        {kIdRedo, "Redo"},         {kIdRestart, "Restart"}};
    for (const auto& [id, text] : buttons) {
        EXPECT_EQ(Text(id), text);
    }

    Press(kIdSolve);
    EXPECT_EQ(boxes, std::vector<std::string>{"No target stone chosen"});
    captions.clear();
    const std::string three = LoadThree();  // and the boxes cleared
    EXPECT_EQ(FileLine(), "Black to move " + three);
    Press(kIdSolve);
    WaitForMove();
    EXPECT_EQ(dialog->messageLineText.toStdString(), "=== Start ===");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(captions[0], "Tsumego");
    EXPECT_EQ(boxes[0].rfind("dead  ", 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find("\nJudged "), std::string::npos) << boxes[0];
    EXPECT_EQ(boxes[1], "Play a black stone");
    ClickAndTick(9, 2);
    EXPECT_EQ(boxes.back(), "That move cannot be played");
}

// The program itself, run as the screenshot script runs it: its boxes are
// printed, so the language of a whole run can be read off.
std::string FirstBox(const std::string& environment, const std::string& options) {
    const std::string problem =
        std::string(OSTREL_SOURCE_DIR) + "/examples/side_straight_three_black_kills.ban";
    const CommandResult run =
        runCommand("env -u LC_ALL -u LC_MESSAGES " + environment +
                   " QT_QPA_PLATFORM=offscreen OSTREL_SCREENSHOT='" + processTempPath("window.png") +
                   "' '" + std::string(OSTREL_GUI_BIN) + "' " + options + " '" + problem + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out.substr(0, run.out.find('\n'));
}

TEST(LanguageChoice, FromTheCommandLineOrTheLocale) {
    QStringList words = {"--lang", "en", "a", "b.ban"};
    EXPECT_EQ(ChooseLanguage(words), WindowLanguage::English);
    EXPECT_EQ(words, (QStringList{"a", "b.ban"}));
    words = {"p.ban", "--lang=ja"};
    EXPECT_EQ(ChooseLanguage(words), WindowLanguage::Japanese);
    EXPECT_EQ(words, QStringList{"p.ban"});
    words = {"--lang=en_GB"};
    EXPECT_EQ(ChooseLanguage(words), WindowLanguage::English);
    EXPECT_TRUE(words.isEmpty());
    // The whole program follows the locale unless told.
    EXPECT_EQ(FirstBox("LANG=en_US.UTF-8", "").rfind("[Tsumego] dead  ", 0), 0u);
    EXPECT_EQ(FirstBox("LANG=en_GB.UTF-8", "--lang ja").rfind("[詰碁] 死に  ", 0), 0u);
}

}  // namespace
