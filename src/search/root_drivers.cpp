#include "search/root_drivers.h"

#include <algorithm>
#include <thread>

#include "position/child_position.h"
#include "position/region.h"
#include "position/shape_tests.h"
#include "problem/problem.h"
#include "search/node_search.h"
#include "search/progress.h"
#include "search/solve.h"
#include "search/solve_state.h"

namespace {

int32_t StartedWorkers() { return workersStarted.load(std::memory_order_relaxed); }

bool IsBusyRootMove(const BusyRootMoves& busy, int32_t move) {
    const int32_t scanned = std::min(StartedWorkers(), kBusyRootSlots);
    for (int32_t i = 0; i < scanned && busy.move[i] != 0; ++i) {
        if (busy.move[i] == move) {
            return true;
        }
    }
    return false;
}

void ClearBusy(BusyRootMoves& busy) { std::fill(std::begin(busy.move), std::end(busy.move), 0); }

template <bool kDefender>
RootSelection SelectRoot(const ChildEntry* entries, const BusyRootMoves& busy) {
    constexpr int32_t kNone = 60001;
    int32_t best = kNone;
    int32_t second = kNone;
    int32_t move = 0;
    bool busySkipped = false;
    for (int32_t i = 0; i < kRootSlots && entries[i].move != 0; ++i) {
        const ChildEntry& entry = entries[i];
        if (entry.pn == 0 || entry.dn == 0) {
            continue;
        }
        if (IsBusyRootMove(busy, entry.move)) {
            busySkipped = true;
            continue;
        }
        const int32_t ranked = kDefender ? entry.dn : entry.pn;
        if (ranked < best) {
            second = best;
            best = ranked;
            move = entry.move;
        } else if (ranked < second) {
            second = ranked;
        }
        if ((kDefender ? entry.pn : entry.dn) == INF) {
            break;
        }
    }
    second = std::min<int32_t>(second, INF);
    if (move == 0) {
        return {busySkipped ? kRootOnlyBusy : kRootAllResolved, second};
    }
    return {move, second};
}

int32_t MapRootIki(uint16_t pn, uint16_t dn) {
    if (pn == 0 || dn == INF) {
        return kRootWorks;
    }
    if (dn == 0) {
        return kRootFails;
    }
    return pn != INF ? kRootOpen : kRootFails;
}

int32_t MapRootTori(uint16_t pn, uint16_t dn) {
    if (pn == 0 || dn == INF) {
        return kRootFails;
    }
    if (dn == 0) {
        return kRootWorks;
    }
    return pn != INF ? kRootOpen : kRootWorks;
}

// A new position is only expanded by its first search, so each wrapper
// searches twice.
template <bool kIki, bool kStrong = false>
int32_t RootSearch(int32_t w, int32_t depth, const Board& board, int32_t side,
                   const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                   uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold) {
    depthLimit.store(kRootDepthLimit, std::memory_order_relaxed);
    for (int32_t round = 0; round < 2; ++round) {
        int32_t code;
        if constexpr (kStrong) {
            code = kIki ? tume_iki_strong(w, depth, board, side, ownList, otherList, pnOut, dnOut,
                                          pnThreshold, dnThreshold, 0)
                        : tume_tori_strong(w, depth, board, side, ownList, otherList, pnOut,
                                           dnOut, pnThreshold, dnThreshold, 0);
        } else {
            code = kIki ? tume_iki(w, depth, board, side, ownList, otherList, pnOut, dnOut,
                                   pnThreshold, dnThreshold, 0)
                        : tume_tori(w, depth, board, side, ownList, otherList, pnOut, dnOut,
                                    pnThreshold, dnThreshold, 0);
        }
        if (code == kSearchTimeUp || code == kSearchBusy) {
            return code;
        }
    }
    return kIki ? MapRootIki(pnOut, dnOut) : MapRootTori(pnOut, dnOut);
}

// The strong order lets a first move grow past the second best by a multiple
// of it (its root growth) before the next one is taken.
template <bool kDefender, bool kStrong>
int32_t SolveFirstMoves(int32_t w, const PointList& ownList, const PointList& otherList) {
    const int32_t side = sideToMove;
    ChildEntry entries[kRootSlots] = {};
    Board root;
    copyBoard(root, problemBoard);
    if constexpr (!kDefender) {
        markOutside(w, root, regionPoints);
        openEdgePreset(root, side, ownList);
    }
    int32_t count = 0;
    for (int32_t i = 0; i < kListSlots && ownList[i] != 0; ++i) {
        if (tumetst1(root, side, ownList[i]) != 0) {
            entries[count++] = {static_cast<uint16_t>(ownList[i]), 1, 1};
        }
    }
    if constexpr (kDefender) {
        markOutside(w, root, regionPoints);
    }

    constexpr ChildSteps kSteps{kDefender ? Mover::kDefender : Mover::kAttacker,
                                ListOrder::kEmptyNeighboursFirst, false, false};
    BusyRootMoves busy;
    ClearBusy(busy);
    RootSelection pick = kDefender ? SelectRootDefender(entries, busy)
                                   : SelectRootAttacker(entries, busy);
    while (pick.move != kRootAllResolved) {
        if (pick.move == kRootOnlyBusy) {
            // The open first moves are all being searched elsewhere.
            std::this_thread::yield();
            ClearBusy(busy);
        } else {
            const int32_t m = pick.move;
            int32_t narrowed = std::min<int32_t>(pick.second + 1, INF);
            if constexpr (kStrong) {
                narrowed = std::min<int32_t>(StrongRootThreshold(pick.second, strongSearch), INF);
            }
            Board b;
            copyBoard(b, root);
            PointList x;
            PointList y;
            buildChildPosition(w, b, side, m, ownList, otherList, x, y, kSteps);
            if (w == 0) {
                lastCheckTick = TickCount();
            }
            uint16_t pn = 1;
            uint16_t dn = 1;
            const int32_t code =
                kDefender
                    ? RootSearch<false, kStrong>(w, 0, b, opponent(side), y, x, pn, dn, INF, narrowed)
                    : RootSearch<true, kStrong>(w, 0, b, opponent(side), y, x, pn, dn, narrowed, INF);
            bool worksElsewhere = false;
            if (code == kSearchBusy) {
                RecordBusyRootMove(busy, m);
                // Resolved numbers read from a busy record are final, and the
                // entry will not be searched again: count the move now, or this
                // worker would miss a move that the others find.
                if (pn == 0 || dn == 0) {
                    worksElsewhere = (kDefender ? MapRootTori(pn, dn) : MapRootIki(pn, dn)) ==
                                     kRootWorks;
                }
            }
            for (ChildEntry& entry : entries) {
                if (entry.move == m) {
                    entry.pn = pn;
                    entry.dn = dn;
                    break;
                }
            }
            if (code == kSearchTimeUp) {
                return kSearchTimeUp;
            }
            if (code == kRootWorks || worksElsewhere) {
                AddSolutionMove(w, m);
            }
        }
        pick = kDefender ? SelectRootDefender(entries, busy) : SelectRootAttacker(entries, busy);
    }
    return 0;
}

}  // namespace

int32_t RootTori(int32_t w, int32_t depth, const Board& board, int32_t side,
                 const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                 uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold) {
    return RootSearch<false>(w, depth, board, side, ownList, otherList, pnOut, dnOut,
                             pnThreshold, dnThreshold);
}

int32_t RootIki(int32_t w, int32_t depth, const Board& board, int32_t side,
                const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold) {
    return RootSearch<true>(w, depth, board, side, ownList, otherList, pnOut, dnOut, pnThreshold,
                            dnThreshold);
}

int32_t SolveDefenderFirst(int32_t w, int32_t, const PointList& ownList,
                           const PointList& otherList) {
    return searchMode == SearchMode::kStrong ? SolveFirstMoves<true, true>(w, ownList, otherList)
                                             : SolveFirstMoves<true, false>(w, ownList, otherList);
}

int32_t SolveAttackerFirst(int32_t w, int32_t, const PointList& ownList,
                           const PointList& otherList) {
    return searchMode == SearchMode::kStrong ? SolveFirstMoves<false, true>(w, ownList, otherList)
                                             : SolveFirstMoves<false, false>(w, ownList, otherList);
}

RootSelection SelectRootDefender(const ChildEntry* entries, const BusyRootMoves& busy) {
    return SelectRoot<true>(entries, busy);
}

RootSelection SelectRootAttacker(const ChildEntry* entries, const BusyRootMoves& busy) {
    return SelectRoot<false>(entries, busy);
}

void RecordBusyRootMove(BusyRootMoves& busy, int32_t move) {
    const int32_t scanned = std::min(StartedWorkers() - 1, kBusyRootSlots);
    for (int32_t i = 0; i < scanned; ++i) {
        if (busy.move[i] == move) {
            return;
        }
        if (busy.move[i] == 0) {
            busy.move[i] = move;
            return;
        }
    }
    ClearBusy(busy);
}

void AddSolutionMove(int32_t w, int32_t move) {
    PointList& list = solutionMoves[w];
    for (int32_t i = 0; i < kListSlots; ++i) {
        if (list[i] == move) {
            return;
        }
        if (list[i] == 0) {
            list[i] = move;
            return;
        }
    }
}
