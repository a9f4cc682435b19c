// A move of the search and the child position it leads to: the board after
// the move and the two candidate lists the child searches with.
#pragma once

#include <cstdint>

#include "position/board.h"

// Who made the move. The defender's move opens its empty neighbours to the
// attacker's list; the attacker's move lets a stone that touches the open
// area join it.
enum class Mover : uint8_t { kDefender, kAttacker };

// The expansion and the root drivers add the move's empty neighbours before
// the captured points; the descent of the search adds the captured points
// first. The order is the order of the child's lists, so it is kept apart.
enum class ListOrder : uint8_t { kEmptyNeighboursFirst, kCapturedPointsFirst };

struct ChildSteps {
    Mover mover;
    ListOrder order;
    bool dropPlayedPoint;  // the played point leaves both lists (the descent)
    bool fatalIfIllegal;   // an illegal move is a broken invariant (the descent)
};

// Plays side's stone at move on board (the caller's copy of the parent) and
// derives the lists: moverList and otherList are the parent's lists of the
// side that moved and of the other side, childMoverList and childOtherList
// receive the child's. rulesScratch[w] holds the move's ko flag and captures
// afterwards, as after playMove.
void buildChildPosition(int32_t w, Board& board, int32_t side, int32_t move,
                        const PointList& moverList, const PointList& otherList,
                        PointList& childMoverList, PointList& childOtherList,
                        const ChildSteps& steps);

// The empty neighbours of p join the list.
void AddEmptyNeighbours(const Board& board, PointList& list, int32_t p);
// The points of the stones the last move of worker w captured join both lists.
void AddCapturedPoints(int32_t w, PointList& listX, PointList& listY);
// After an attacker's move: a stone that touches the open area joins it.
void ExtendOutsideMark(Board& board, int32_t m);
