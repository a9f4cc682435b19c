#include "ui/play_history.h"

#include <cstddef>

#include "problem/problem.h"

PlayPosition CurrentPosition() {
    PlayPosition position;
    copyBoard(position.board, problemBoard);
    position.side = sideToMove;
    position.region = regionPoints;
    return position;
}

void RestorePosition(const PlayPosition& position) {
    copyBoard(problemBoard, position.board);
    sideToMove = position.side;
    regionPoints = position.region;
}

void StartHistory(PlayHistory& history, const PlayPosition& problem) {
    history.positions.assign(1, problem);
    history.current = 0;
}

void RecordPosition(PlayHistory& history, const PlayPosition& position) {
    history.positions.resize(static_cast<size_t>(history.current) + 1);
    history.positions.push_back(position);
    history.current += 1;
}

bool CanUndo(const PlayHistory& history) { return history.current > 0; }

bool CanRedo(const PlayHistory& history) {
    return static_cast<size_t>(history.current) + 1 < history.positions.size();
}
