// The positions of a play-out, from the problem as loaded or set up: what
// undo, redo and restart put back. Boards are kept whole, ko marks included.
#pragma once

#include <cstdint>
#include <vector>

#include "position/board.h"

struct PlayPosition {
    Board board{};
    int32_t side = 0;
    PointList region{};
};

struct PlayHistory {
    std::vector<PlayPosition> positions;  // [0] is the problem itself
    int32_t current = 0;
};

// The problem record as it stands.
PlayPosition CurrentPosition();
// Puts a position back into the problem record.
void RestorePosition(const PlayPosition& position);

// A new history holding only the given position.
void StartHistory(PlayHistory& history, const PlayPosition& problem);
// Adds the position after the current one; positions that undo had left
// for redo are dropped.
void RecordPosition(PlayHistory& history, const PlayPosition& position);
bool CanUndo(const PlayHistory& history);
bool CanRedo(const PlayHistory& history);
