#include "search/node_search.h"

#include <algorithm>
#include <mutex>

#include "frontend.h"
#include "position/judgment.h"
#include "position/shape_tests.h"
#include "search/keys.h"
#include "search/progress.h"
#include "search/solve.h"
#include "search/solve_state.h"

namespace {

// Everything a node at one depth of one worker needs; its child uses the
// next depth, so a line never allocates.
struct alignas(64) DepthArea {
    Board nodeBoard;   // tume_tori's copy with the open-edge stones added
    Board boardA;      // legality tests during expansion; the selected child's board
    Board boardB;      // each candidate move during expansion
    PointList listX;
    PointList listY;
    ChildEntry scratch[kChildSlots];
};

DepthArea workAreas[kMaxWorkers][kMaxDepth];

// Child searches in a row that may find their position busy before a node
// gives its record up for a while.
constexpr int32_t kBusyRetries = 4096;
uint64_t pathKeys[kMaxWorkers][kMaxDepth];

struct ChildValue {
    uint16_t pn;
    uint16_t dn;
};

ChildValue ValueOfJudgment(int32_t judgment) {
    if (judgment == kJudgedDead) {
        return {0, INF};
    }
    if (judgment == kJudgedAlive) {
        return {INF, 0};
    }
    return {1, 1};
}

void NoteDepth(int32_t depth) {
    int32_t seen = maxDepthReached.load(std::memory_order_relaxed);
    while (depth > seen &&
           !maxDepthReached.compare_exchange_weak(seen, depth, std::memory_order_relaxed)) {
    }
}

void ReleaseRecord(NodeRecord* record) {
    std::lock_guard<std::mutex> hold(engineLock);
    record->busy = 0;
}

// The value of a child position at expansion: its record's numbers when the
// table knows it (busy or not), otherwise the static judgment.
ChildValue ValueChild(const Board& child, int32_t childSide, const PointList& judgeList) {
    uint64_t key = PositionKey(child, childSide);
    {
        std::lock_guard<std::mutex> hold(engineLock);
        NodeRecord* found;
        LookupRecord(key, childSide, &found);
        if (found != nullptr) {
            return {loadNumber(found->pn), loadNumber(found->dn)};
        }
    }
    return ValueOfJudgment(judgePosition(child, judgeList));
}

template <bool kIki>
int32_t SearchNode(int32_t w, int32_t depth, const Board& board, int32_t side,
                   const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                   uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold,
                   int32_t koRetaken) {
    NoteDepth(depth);
    // Worker 0 watches the clock; once it is cut off, every worker unwinds.
    if (w == 0 && CheckProgress() != kProgressGoOn) {
        solveCutOff.store(true, std::memory_order_relaxed);
        return kSearchTimeUp;
    }
    if (solveCutOff.load(std::memory_order_relaxed)) {
        return kSearchTimeUp;
    }
    if (depth >= kMaxDepth) {
        // The depth limit stops lines long before the work areas run out.
        ReportFatal("macroinv error %d\n", depth);
    }

    DepthArea& area = workAreas[w][depth];
    const Board* nodeBoard = &board;
    if constexpr (!kIki) {
        // The preset stones stay on every board of the subtree.
        copyBoard(area.nodeBoard, board);
        openEdgePreset(area.nodeBoard, side, ownList);
        nodeBoard = &area.nodeBoard;
    }
    const uint64_t key = PositionKey(*nodeBoard, side);
    pathKeys[w][depth] = key;

    const int32_t restrain = restrainDefenderKo.load(std::memory_order_relaxed);
    for (int32_t d = 0; d < depth; ++d) {
        if (pathKeys[w][d] == key) {
            if (restrain == 0 && koRetaken == 1) {
                pnOut = 0;
                dnOut = INF;
            } else {
                pnOut = INF;
                dnOut = 0;
            }
            return kSearchDone;
        }
    }
    if (depth > depthLimit.load(std::memory_order_relaxed)) {
        pnOut = 1;
        dnOut = 1;
        return kSearchDone;
    }

    NodeRecord* record;
    bool expand;
    {
        std::lock_guard<std::mutex> hold(engineLock);
        NodeRecord* found;
        NodeRecord** link = LookupRecord(key, side, &found);
        if (found != nullptr) {
            if (found->busy != 0) {
                pnOut = loadNumber(found->pn);
                dnOut = loadNumber(found->dn);
                return kSearchBusy;
            }
            found->busy = 1;
            record = found;
            expand = false;
        } else {
            record = InsertPlaceholder(link, key, side);
            expand = true;
        }
    }

    const int32_t childSide = opponent(side);
    // Whose ko captures this node holds back, and when its pass may be taken
    // without the false-eye test.
    const bool restrainsOwnKo = kIki ? restrain == 1 : restrain == 0;
    auto passConsidered = [&]() {
        return restrainsOwnKo || falseEyeTest(*nodeBoard, side, ownList) == 0;
    };

    if (expand) {
        Board& a = area.boardA;
        Board& b = area.boardB;
        PointList& x = area.listX;
        PointList& y = area.listY;
        ChildEntry* scratch = area.scratch;
        copyBoard(a, *nodeBoard);
        // sum: pn of an AND node (iki) or dn of an OR node (tori); least: the other number.
        int32_t sum = 0;
        uint16_t least = INF;
        int32_t count = 0;
        bool koHeld = false;
        for (int32_t i = 0; i < kListSlots && ownList[i] != 0; ++i) {
            const int32_t m = ownList[i];
            if (tumetst1(a, side, m) == 0) {
                continue;
            }
            copyBoard(b, a);
            playMove(w, b, side, m);
            if (restrainsOwnKo && rulesScratch[w].koFlag == 1 && !koHeld) {
                koHeld = true;
                continue;
            }
            if constexpr (!kIki) {
                ExtendOutsideMark(b, m);
            }
            x = ownList;
            y = otherList;
            if constexpr (kIki) {
                AddEmptyNeighbours(b, y, m);
            }
            if (rulesScratch[w].capturedByMove != 0) {
                AddCapturedPoints(w, x, y);
            }
            // Judged on the attacker's list either way.
            ChildValue child = ValueChild(b, childSide, kIki ? y : x);
            if constexpr (kIki) {
                if (child.pn == 1 && CountTouchingPoints(b, y, side) == 1) {
                    child = {0, INF};
                }
            }
            const uint16_t summed = kIki ? child.pn : child.dn;
            const uint16_t other = kIki ? child.dn : child.pn;
            sum += summed;
            if (sum >= INF) {
                sum = INF;
                least = 0;
            }
            least = std::min(least, other);
            scratch[count++] = {static_cast<uint16_t>(m), child.pn, child.dn};
        }
        if (sum == 0 && passConsidered()) {
            copyWithoutKoMarks(b, *nodeBoard);
            ChildValue pass = ValueOfJudgment(judgePosition(b, ownList));
            const uint16_t summed = kIki ? pass.pn : pass.dn;
            const uint16_t other = kIki ? pass.dn : pass.pn;
            sum = summed;
            if (summed >= INF) {
                sum = INF;
                least = 0;
            }
            least = std::min(least, other);
            scratch[count] = {0, pass.pn, pass.dn};
        } else {
            scratch[count] = {0, 1, 1};
        }
        const uint16_t pn = kIki ? static_cast<uint16_t>(sum) : least;
        const uint16_t dn = kIki ? least : static_cast<uint16_t>(sum);
        {
            std::lock_guard<std::mutex> hold(engineLock);
            NodeRecord* full = ReplacePlaceholder(record, count + 1);
            std::copy(scratch, scratch + count + 1, full->children());
            full->pn = pn;
            full->dn = dn;
            full->busy = 0;
        }
        pnOut = pn;
        dnOut = dn;
        return kSearchDone;
    }

    if (loadNumber(record->pn) >= pnThreshold || loadNumber(record->dn) >= dnThreshold) {
        pnOut = loadNumber(record->pn);
        dnOut = loadNumber(record->dn);
        ReleaseRecord(record);
        return kSearchDone;
    }

    ChildEntry* children = record->children();
    int32_t busyInARow = 0;
    for (;;) {
        const NodeNumbers numbers = kIki ? NodeNumbersIki(children) : NodeNumbersTori(children);
        uint16_t pn = numbers.pn;
        uint16_t dn = numbers.dn;
        ChildEntry& closing = children[numbers.count];
        bool searchPass = false;
        if ((kIki ? pn : dn) == 0 && passConsidered()) {
            if (closing.pn != 0 && closing.dn != 0) {
                searchPass = true;
            } else {
                pn = closing.pn;
                dn = closing.dn;
            }
        }

        int32_t move = 0;
        int32_t index = numbers.count;
        int32_t childPnThreshold = INF;
        int32_t childDnThreshold = INF;
        if (!searchPass) {
            pnOut = pn;
            dnOut = dn;
            storeNumber(record->pn, pn);
            storeNumber(record->dn, dn);
            if (pn >= pnThreshold || dn >= dnThreshold) {
                ReleaseRecord(record);
                return kSearchDone;
            }
            const ChildSelection pick = kIki ? SelectIkiChild(children) : SelectToriChild(children);
            if (pick.move == -1) {
                ReportFatal(kIki ? "tume_iki error maxpos=%d maxi=%d\n"
                                 : "tume_tori error maxpos=%d maxi=%d\n",
                            pick.move, pick.index);
            }
            move = pick.move;
            index = pick.index;
            const int32_t rest = pick.scannedSum - pick.selectedPart;
            if constexpr (kIki) {
                childPnThreshold = pnThreshold - rest;
                childDnThreshold = std::min(dnThreshold, pick.second + 1);
            } else {
                childPnThreshold = std::min(pnThreshold, pick.second + 1);
                childDnThreshold = dnThreshold - rest;
            }
            childPnThreshold = std::min<int32_t>(childPnThreshold, INF);
            childDnThreshold = std::min<int32_t>(childDnThreshold, INF);
        }

        Board& a = area.boardA;
        const PointList* childOwn;
        const PointList* childOther;
        int32_t childKoRetaken = koRetaken;
        if (move == 0) {
            copyWithoutKoMarks(a, *nodeBoard);
            childOwn = &otherList;
            childOther = &ownList;
        } else {
            copyBoard(a, *nodeBoard);
            tume_iki_utu(w, a, side, move, area.listX, area.listY, ownList, otherList);
            if constexpr (kIki) {
                AddEmptyNeighbours(a, area.listY, move);
            } else {
                ExtendOutsideMark(a, move);
            }
            removePoint(area.listX, move);
            removePoint(area.listY, move);
            if (((*nodeBoard)[move] & kKoMark) != 0) {
                childKoRetaken = 1;
            }
            childOwn = &area.listY;
            childOther = &area.listX;
        }

        uint16_t childPn = 1;
        uint16_t childDn = 1;
        const int32_t code =
            kIki ? tume_tori(w, depth + 1, a, childSide, *childOwn, *childOther, childPn, childDn,
                             childPnThreshold, childDnThreshold, childKoRetaken)
                 : tume_iki(w, depth + 1, a, childSide, *childOwn, *childOther, childPn, childDn,
                            childPnThreshold, childDnThreshold, childKoRetaken);
        if (code == kSearchTimeUp) {
            ReleaseRecord(record);
            return kSearchTimeUp;
        }
        children[index].pn = childPn;
        children[index].dn = childDn;
        busyInARow = code == kSearchBusy ? busyInARow + 1 : 0;
        if (busyInARow >= kBusyRetries) {
            // Two workers can each own a position the other is waiting for
            // (a pass answered by a pass reaches the first position again).
            // Letting go of this record breaks such a wait.
            pnOut = loadNumber(record->pn);
            dnOut = loadNumber(record->dn);
            ReleaseRecord(record);
            return kSearchDone;
        }
    }
}

template <bool kIki>
ChildSelection SelectChild(const ChildEntry* children) {
    constexpr int32_t kNone = 60001;
    ChildSelection pick{-1, -1, 0, 0, kNone};
    int32_t best = kNone;
    int32_t selectedSummed = 0;
    for (int32_t i = 0; children[i].move != 0; ++i) {
        const int32_t summed = kIki ? children[i].pn : children[i].dn;
        const int32_t ranked = kIki ? children[i].dn : children[i].pn;
        pick.scannedSum += summed;
        if (ranked < best) {
            pick.second = best;
            best = ranked;
            pick.move = children[i].move;
            pick.index = i;
            selectedSummed = summed;
        } else if (ranked < pick.second) {
            pick.second = ranked;
        }
        if (summed == INF) {
            break;
        }
    }
    pick.second = std::min<int32_t>(pick.second, INF);
    pick.selectedPart = best >= INF ? 0 : selectedSummed;
    return pick;
}

// An iki node (AND for the attacker) sums its children's pn and takes the
// least dn; a tori node the mirror. A child whose least-taken number is 0
// saturates the sum, and a saturated sum makes the least number 0.
template <bool kIki>
NodeNumbers NumbersOf(const ChildEntry* children) {
    if (children[0].move == 0) {
        return kIki ? NodeNumbers{0, INF, 0} : NodeNumbers{INF, 0, 0};
    }
    int32_t sum = 0;
    uint16_t least = INF;
    int32_t count = 0;
    for (; children[count].move != 0; ++count) {
        sum += kIki ? children[count].pn : children[count].dn;
        if (sum >= INF) {
            sum = INF;
            least = 0;
        }
        const uint16_t taken = kIki ? children[count].dn : children[count].pn;
        if (taken <= least) {
            least = taken;
            if (least == 0) {
                sum = INF;
            }
        }
    }
    const uint16_t summed = static_cast<uint16_t>(sum);
    return kIki ? NodeNumbers{summed, least, count} : NodeNumbers{least, summed, count};
}

}  // namespace

int32_t tume_iki(int32_t w, int32_t depth, const Board& board, int32_t side,
                 const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                 uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold, int32_t koRetaken) {
    return SearchNode<true>(w, depth, board, side, ownList, otherList, pnOut, dnOut, pnThreshold,
                            dnThreshold, koRetaken);
}

int32_t tume_tori(int32_t w, int32_t depth, const Board& board, int32_t side,
                  const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                  uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold, int32_t koRetaken) {
    return SearchNode<false>(w, depth, board, side, ownList, otherList, pnOut, dnOut,
                             pnThreshold, dnThreshold, koRetaken);
}

NodeNumbers NodeNumbersIki(const ChildEntry* children) { return NumbersOf<true>(children); }
NodeNumbers NodeNumbersTori(const ChildEntry* children) { return NumbersOf<false>(children); }

ChildSelection SelectIkiChild(const ChildEntry* children) { return SelectChild<true>(children); }
ChildSelection SelectToriChild(const ChildEntry* children) { return SelectChild<false>(children); }

int32_t CountTouchingPoints(const Board& board, const PointList& list, int32_t colour) {
    int32_t count = 0;
    for (int32_t i = 0; i < kListSlots && list[i] != 0 && count < 3; ++i) {
        const int32_t p = list[i];
        if (colourOf(board[p]) != kEmpty) {
            continue;
        }
        for (int32_t offset : orthogonalOffsets) {
            if (colourOf(board[p + offset]) == colour) {
                count += 1;
                break;
            }
        }
    }
    return count;
}

void AddEmptyNeighbours(const Board& board, PointList& list, int32_t p) {
    for (int32_t offset : orthogonalOffsets) {
        if (colourOf(board[p + offset]) == kEmpty) {
            addPoint(list, p + offset);
        }
    }
}

void AddCapturedPoints(int32_t w, PointList& listX, PointList& listY) {
    const RulesScratch& scratch = rulesScratch[w];
    for (int32_t i = 0; i < scratch.capturedByMove; ++i) {
        addPoint(listX, scratch.captureRecord[i]);
        addPoint(listY, scratch.captureRecord[i]);
    }
}

void ExtendOutsideMark(Board& board, int32_t m) {
    if ((board[m] & kOutsideMark) != 0) {
        return;
    }
    for (int32_t offset : orthogonalOffsets) {
        if ((board[m + offset] & kOutsideMark) != 0) {
            markStringFrom(board, m, board[m]);
            return;
        }
    }
}

uint64_t PathKey(int32_t w, int32_t depth) { return pathKeys[w][depth]; }
