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
// held back (restrainDefenderKo: 1 the defender's, 0 the attacker's). It is a
// sum, StonesKey + TurnKey, so a search can carry the stones' part along with
// its moves instead of summing the board again.
uint64_t PositionKey(const Board& board, int32_t side, int32_t restrainDefenderKo);
// The stones' part: one table entry per stone.
uint64_t StonesKey(const Board& board);
// The part of the side to move and the ko restraint (entries of edge cells 0
// and 1, where no stone can stand).
inline uint64_t RestraintKey(int32_t restrainDefenderKo) {
    return restrainDefenderKo == 1 ? blackKeys[1] : whiteKeys[1];
}
inline uint64_t TurnKey(int32_t side, int32_t restrainDefenderKo) {
    return (side == kBlack ? blackKeys[0] : whiteKeys[0]) + RestraintKey(restrainDefenderKo);
}
// The entry of a stone of colour at p (0 for anything but a stone).
inline uint64_t StoneKey(int32_t colour, int32_t p) {
    return colour == kBlack ? blackKeys[p] : colour == kWhite ? whiteKeys[p] : 0;
}
