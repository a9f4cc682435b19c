// Shape patterns that refine the search region, and their interpreter.
#pragma once

#include <cstdint>

#include "position/board.h"

// Runs a pattern program at origin o for the own colour; 1 when every
// instruction holds. A program is words type*100 + n, each followed by n
// offsets dy*20 + dx, and ends with 1000.
int32_t kyua20(const Board& board, int32_t origin, int32_t own, const int32_t* program);

// The removal passes over the problem board, on the given list.
void removeByPatterns(const Board& board, int32_t target, PointList& list);
// The adding pass over the set-up's scratch board, adding to the region.
void addByPatterns(const Board& board, int32_t target, PointList& region);
