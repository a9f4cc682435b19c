// Static judgment of the target stone's group: -100 dead, 10000 alive, any
// other (positive) value undecided.
#pragma once

#include <atomic>
#include <cstdint>

#include "position/board.h"

constexpr int32_t kJudgedDead = -100;
constexpr int32_t kJudgedAlive = 10000;

// Number of judgments made, kept per worker so that workers judging side by
// side do not fight over one counter. A thread counts into slot 0 until it
// picks its own; solve worker 0 resets them all at the start of a solve.
void SetJudgeCountSlot(int32_t w);
uint32_t JudgeCount();
void ResetJudgeCount();

// The target's group on this board, judged over the candidate points of list.
int32_t judgePosition(const Board& board, int32_t target, const PointList& list);

void rewriteCornerShapes(Board& board, int32_t defender);
int32_t countEyeSpace(const Board& board, int32_t defender);
void linkEdgeDiagonals(Board& board, int32_t attacker);
void tumejudgesini2(Board& board, int32_t attacker);
void collectMarkedPoints(const Board& board, PointList& list);
int32_t isEyePoint(Board& board, int32_t m, int32_t defender);
