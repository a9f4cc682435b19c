// Shape tests that the search applies to a node's board and a candidate list.
#pragma once

#include <cstdint>

#include "position/board.h"

// 1 when the list holds a false eye of s next to a lone stone of s (or the edge).
int32_t falseEyeTest(const Board& board, int32_t s, const PointList& list);
int32_t isOpenEdgePoint(const Board& board, int32_t s, int32_t p);
// Fills every open-edge point of the list with a stone of opponent(s).
void openEdgePreset(Board& board, int32_t s, const PointList& list);
