// The root drivers: every legal first move of the side to move is searched
// until it is resolved, and the working ones are collected per worker.
#pragma once

#include <cstdint>

#include "position/board.h"
#include "search/node_table.h"

// Outcome codes of the root-move wrappers.
constexpr int32_t kRootWorks = 0;
constexpr int32_t kRootFails = 3;
constexpr int32_t kRootOpen = 5;

constexpr int32_t kRootSlots = 100;
constexpr int32_t kBusyRootSlots = 18;

struct BusyRootMoves {
    int32_t move[kBusyRootSlots];
};

int32_t RootTori(int32_t w, int32_t depth, const Board& board, int32_t side,
                 const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                 uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold);
int32_t RootIki(int32_t w, int32_t depth, const Board& board, int32_t side,
                const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold);

// 0 when every first move is resolved, 100 at the time limit.
int32_t SolveDefenderFirst(int32_t w, int32_t depth, const PointList& ownList,
                           const PointList& otherList);
int32_t SolveAttackerFirst(int32_t w, int32_t depth, const PointList& ownList,
                           const PointList& otherList);

constexpr int32_t kRootAllResolved = -1;
constexpr int32_t kRootOnlyBusy = -2;

struct RootSelection {
    int32_t move;     // a move, -1 all resolved, -2 only busy moves left
    int32_t second;   // second smallest dn (defender) or pn (attacker), capped at INF
};
RootSelection SelectRootDefender(const ChildEntry* entries, const BusyRootMoves& busy);
RootSelection SelectRootAttacker(const ChildEntry* entries, const BusyRootMoves& busy);
void RecordBusyRootMove(BusyRootMoves& busy, int32_t move);
// Adds a working first move to the worker's solutionMoves, once.
void AddSolutionMove(int32_t w, int32_t move);
