// The two node searches of the proof-number search: tume_iki (defender to
// move, an AND node for the attacker) and tume_tori (attacker to move, an OR
// node), with the helpers they share.
#pragma once

#include <cstdint>

#include "position/board.h"
#include "search/node_table.h"

// Result codes of a node search.
constexpr int32_t kSearchDone = 0;
constexpr int32_t kSearchTimeUp = 100;
constexpr int32_t kSearchBusy = 300;

constexpr int32_t kMaxDepth = 210;        // work areas per worker: depths 0..209
constexpr int32_t kRootDepthLimit = 200;
constexpr int32_t kChildSlots = 101;      // up to 100 moves and the closing entry

int32_t tume_iki(int32_t w, int32_t depth, const Board& board, int32_t side,
                 const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                 uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold, int32_t koRetaken);
int32_t tume_tori(int32_t w, int32_t depth, const Board& board, int32_t side,
                  const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                  uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold, int32_t koRetaken);
// The same two searches in the strong order (search/search_mode.h), with
// strongSearch's settings.
int32_t tume_iki_strong(int32_t w, int32_t depth, const Board& board, int32_t side,
                        const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                        uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold,
                        int32_t koRetaken);
int32_t tume_tori_strong(int32_t w, int32_t depth, const Board& board, int32_t side,
                         const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                         uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold,
                         int32_t koRetaken);

struct NodeNumbers {
    uint16_t pn;
    uint16_t dn;
    int32_t count;   // real children
    int32_t open = 0;  // the weak sum's open children (strong order only)
};
NodeNumbers NodeNumbersIki(const ChildEntry* children);
NodeNumbers NodeNumbersTori(const ChildEntry* children);

struct ChildSelection {
    int32_t move;          // -1 when there is no real child
    int32_t index;
    int32_t scannedSum;    // pn (iki) or dn (tori) of the scanned children
    int32_t selectedPart;  // the selected child's share of that sum (0 when none or best INF)
    int32_t second;        // second smallest dn (iki) or pn (tori), capped at INF
};
ChildSelection SelectIkiChild(const ChildEntry* children);
ChildSelection SelectToriChild(const ChildEntry* children);

int32_t CountTouchingPoints(const Board& board, const PointList& list, int32_t colour);

// Position keys of the current line of each worker, by depth.
uint64_t PathKey(int32_t w, int32_t depth);
