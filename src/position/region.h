// The search region: the empty points where the search may play.
#pragma once

#include <cstdint>

#include "position/board.h"

// Rebuilds the region of the target stone from the board. Without a stone at
// the target the region is left empty and nothing else happens.
void setUpSearchRegion(int32_t w, const Board& board, int32_t target, PointList& region);
// Marks the large open area reached from a corner, and every string touching
// it; the region's points are never part of that area.
void markOutside(int32_t w, Board& board, const PointList& region);

// Steps of the set-up, in the order it runs them; each appends to the region.
void seedRegion(const Board& board, int32_t target, PointList& region);
void markOpenCorner(int32_t w, Board& board);
void settleEnclosedPoints(Board& board, int32_t attacker, PointList& region);
void addCuttingPoints(const Board& board, PointList& region);
void addSandwichedPoints(const Board& board, PointList& region);
void addEdgeCornerPoints(const Board& board, PointList& region);
void extendAlongEdges(const Board& board, PointList& region);
