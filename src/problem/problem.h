// The one problem the program holds: position, side to move, target stone and
// the search region. Plain process-wide data; the window edits it, the solve
// workers read it while the window leaves it alone.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "position/board.h"

extern Board problemBoard;
extern int32_t sideToMove;    // 0 not set, 1 black, 2 white
extern int32_t targetPoint;   // point index of the target stone, 0 = none
extern PointList regionPoints;

// side 0, no target, empty board (region points are left alone)
void resetProblem();
// 1 <-> 2; anything else is fatal ("macroinv error %d\n")
void flipSide();
// Adds p at the end of the region when absent and there is room (returns 1),
// removes it when present (returns -1), otherwise changes nothing (returns 0).
int32_t toggleRegionPoint(int32_t p);
// Colour of the stone at the target (1 or 2), or 0 when there is none. Safe for
// any targetPoint value, also one outside the board array.
int32_t targetStone();
// A stone at the target and a side to move.
bool problemComplete();

// Side texts: "黒先手", "白先手", or "" for no side.
const char* sideText(int32_t side);

// .ban problem files. Read: 0 read, otherwise one of the codes below, with
// the reason on the standard error stream and the record left reset.
constexpr int32_t kReadOk = 0;
constexpr int32_t kReadCannotOpen = 1;
constexpr int32_t kReadDirectory = 2;
constexpr int32_t kReadFifo = 3;
constexpr int32_t kReadDevice = 4;      // character or block device
constexpr int32_t kReadNotAFile = 5;    // a socket or anything else not a regular file
int32_t ReadProblemFile(const char* path);
// Opens a regular file for reading ("r"), with code kReadOk; for anything else
// null and the code (kReadCannotOpen with errno set, or the kind of file).
// Never waits on a FIFO.
std::FILE* OpenRegularFile(const char* path, int32_t& code);
// What a non-zero read code means, for the command line ("is a directory").
const char* ReadFailureText(int32_t code);
// Write: 0 written; kWriteCannotOpen when no file can be made beside the
// target; kWriteFailed when writing or replacing failed, the target then
// being left as it was.
constexpr int32_t kWriteCannotOpen = 1;
constexpr int32_t kWriteFailed = 2;
int32_t WriteProblemFile(const char* path);
// The same for any bytes: the file is written beside the target and renamed
// over it, with the same results.
int32_t WriteFileReplacing(const char* path, const std::string& bytes);
