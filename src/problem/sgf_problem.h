// Problems in SGF files. A problem is the set-up of the main line up to its
// first move: the stones of AB, AW and AE, the side to move (PL, else the
// colour of the first move) and the target stone marked with MA, TR, SQ or CR.
// Moves are never played. The writer gives the problem back in the same form,
// and after a solve adds the labels, a comment and one variation per working
// first move.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "position/board.h"
#include "problem/sgf_tree.h"

// Written as the AP property.
constexpr char kSgfApplication[] = "Ostrel:7";

struct SgfProblem {
    Board board;                // the set-up stones; edge cells hold 3
    int32_t side = 0;           // 1 black, 2 white, 0 when the file gives no side
    int32_t target = 0;         // a marked stone; 0 when none is, or when several strings are
    PointList candidates{};     // one marked stone per string when several strings are marked
    PointList firstMoves{};     // first moves of the side to move in the file's variations
    PointList bookMoves{};      // those of them marked correct ("Correct", "RIGHT", TE[1], TE[2])
};

// Reads a problem from SGF text into `problem`. Returns kSgfOk, or a code with
// one message saying what is wrong. A problem without a side or a target is
// still read (SgfProblemGap says what it lacks).
int32_t ParseSgfProblem(std::string_view text, SgfProblem& problem, std::string& message);
// The same from a file, which is refused unread when larger than kSgfMaxBytes.
int32_t ReadSgfProblemFile(const char* path, SgfProblem& problem, std::string& message);

// What the problem lacks before it can be solved, or "" when it lacks nothing.
std::string SgfProblemGap(const SgfProblem& problem);
// "(x,y)" for each candidate string's marked stone, separated by blanks.
std::string SgfCandidateText(const SgfProblem& problem);

// Puts the board, the side and the target into the problem record. The region
// points are left alone: the caller sets the search region up again.
void TakeSgfProblem(const SgfProblem& problem);

// A solve's answer, for writing: the verdict code (1 alive, 2 dead, 3 ko,
// 0 cut off) and the working first moves in the order found.
struct SgfAnswer {
    int32_t verdict = 0;
    PointList moves{};
};

// The problem as SGF text; with an answer also its labels, comment and variations.
std::string SgfProblemText(const Board& board, int32_t side, int32_t target,
                           const SgfAnswer* answer);
// Writes the problem record as WriteProblemFile does: 0 when written, else
// kWriteCannotOpen or kWriteFailed, the old file then being left as it was.
int32_t WriteSgfProblemFile(const char* path, const SgfAnswer* answer);

// Whether the file name ends in ".sgf", in any case: the files read as SGF.
bool HasSgfExtension(std::string_view path);

// "aa" for (1, 1): column letter, then row letter.
std::string SgfPointName(int32_t p);
