// Random position keys: a table per colour, filled from the engine's own
// generator, and the additive key of a board.
#pragma once

#include <array>
#include <cstdint>

#include "position/board.h"

extern std::array<uint64_t, kBoardCells> blackKeys;
extern std::array<uint64_t, kBoardCells> whiteKeys;
extern uint32_t randomState;

uint32_t NextRandom();
// Seeds the generator and fills whiteKeys, then blackKeys.
void FillKeys(uint32_t seed);
// Key of the stones on the board, the side to move and whose ko captures are
// held back (restrainDefenderKo: 1 the defender's, 0 the attacker's).
uint64_t PositionKey(const Board& board, int32_t side, int32_t restrainDefenderKo);
