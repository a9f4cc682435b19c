// The search region: the empty points where the search may play.
#pragma once

#include <cstdint>

#include "position/board.h"

// Rebuilds regionPoints from the board and targetPoint. Without a stone at the
// target the region is left empty and nothing else happens.
void setUpSearchRegion(int32_t w, const Board& board);
// Marks the large open area reached from a corner, and every string touching it.
void markOutside(int32_t w, Board& board);

// Steps of the set-up, in the order it runs them.
void seedRegion(const Board& board);
void markOpenCorner(int32_t w, Board& board);
void settleEnclosedPoints(Board& board, int32_t attacker);
void addCuttingPoints(const Board& board);
void addSandwichedPoints(const Board& board);
void addEdgeCornerPoints(const Board& board);
void extendAlongEdges(const Board& board);
