#include "search/node_search.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <thread>
#include <type_traits>

#include "frontend.h"
#include "position/child_position.h"
#include "position/judgment.h"
#include "position/shape_tests.h"
#include "problem/problem.h"
#include "search/judgment_cache.h"
#include "search/keys.h"
#include "search/pass_carry.h"
#include "search/progress.h"
#include "search/solve.h"
#include "search/solve_state.h"
#include "search/system_memory.h"

namespace {

// Everything a node at one depth of one worker needs; its child uses the
// next depth, so a line never allocates.
struct alignas(64) DepthArea {
    Board nodeBoard;   // tume_tori's copy with the open-edge stones added
    Board boardA;      // legality tests during expansion; the selected child's board
    Board boardB;      // each candidate move during expansion
    PointList listX;
    PointList listY;
    // The expansion builds one candidate ahead of the one it values, so that
    // the table's bucket for the next key is on its way from memory.
    Board boardC;
    PointList listX2;
    PointList listY2;
    ChildEntry scratch[kChildSlots];
    // Children of the node's selection loop found busy in another worker
    // since its last real child search.
    std::array<bool, kChildSlots> busyChild;
    // Children that this worker searched while helping another worker's node
    // here: their numbers are this worker's, newer than the owner's copy.
    std::array<bool, kChildSlots> searchedHere;
};

// Zero from the start, so that no start-up code fills these megabytes. In
// large pages: a line's areas then take one page fault instead of one per
// 4 KB, which is a share of a small solve.
alignas(kLargePageBytes) constinit DepthArea workAreas[kMaxWorkers][kMaxDepth]{};
const bool workAreasAdvised = (AdviseLargePages(workAreas, sizeof workAreas), true);

// Child searches in a row that may find their position busy before a node
// gives its record up for a while.
constexpr int32_t kBusyRetries = 4096;
uint64_t pathKeys[kMaxWorkers][kMaxDepth];

// A node search that has not ended yet goes on to its next step.
constexpr int32_t kGoOn = -1;

ProofPair ValueOfJudgment(int32_t judgment) {
    if (judgment == kJudgedDead) {
        return kProvenPair;
    }
    if (judgment == kJudgedAlive) {
        return kDisprovenPair;
    }
    return kFreshPair;
}

void NoteDepth(int32_t depth) {
    int32_t seen = maxDepthReached.load(std::memory_order_relaxed);
    while (depth > seen &&
           !maxDepthReached.compare_exchange_weak(seen, depth, std::memory_order_relaxed)) {
    }
}

void ReleaseRecord(NodeRecord* record) {
    std::lock_guard<std::mutex> hold(TableLockOf(record->key));
    storeNumber(record->busy, kRecordFree);
}

ProofPair RecordNumbers(NodeRecord* record) { return loadPair(record->pn, record->dn); }

// Copies the children of a record another worker is searching, their
// numbers as that worker last stored them (the moves never change), except
// those this worker has searched itself; false once the owner has let the
// record go.
bool CopyHelpedChildren(NodeRecord* helped, ChildEntry* copy,
                        const std::array<bool, kChildSlots>& searchedHere, int32_t& ownerChild) {
    std::lock_guard<std::mutex> hold(TableLockOf(helped->key));
    const uint16_t busy = loadNumber(helped->busy);
    if (busy < kRecordSearched) {
        return false;
    }
    ownerChild = busy - kRecordSearched;
    ChildEntry* children = helped->children();
    for (int32_t i = 0;; ++i) {
        if (!searchedHere[i]) {
            const ProofPair pair = loadPair(children[i].pn, children[i].dn);
            copy[i] = {children[i].move, pair.pn, pair.dn};
        }
        if (children[i].move == 0) {
            return true;
        }
    }
}

void Answer(const ProofPair& numbers, uint16_t& pnOut, uint16_t& dnOut) {
    pnOut = numbers.pn;
    dnOut = numbers.dn;
}

// Whether the strong order tracks what depends on the ko restraint.
template <bool kStrong>
bool TracksRestraint() {
    if constexpr (kStrong) {
        return strongSearch.carryResults != 0;
    }
    return false;
}

// The value of a child position at expansion: its record's numbers when the
// table knows it (busy or not), otherwise the static judgment.
ProofPair ValueChild(const Board& child, uint64_t key, int32_t childSide,
                     const PointList& judgeList) {
    {
        std::lock_guard<std::mutex> hold(TableLockOf(key));
        NodeRecord* found;
        LookupRecord(key, childSide, &found);
        if (found != nullptr) {
            return RecordNumbers(found);
        }
    }
    return ValueOfJudgment(judgePosition(child, targetPoint, judgeList));
}

// The starting numbers of an undecided new position in the strong order. Its
// side to move has about one answer per legal move, and each answer must be
// met, so the number its opponent needs grows with them; a group judged
// nearer to life is harder to kill and easier to save. kChildIki: the
// defender moves there, and its pn grows.
template <bool kChildIki>
ProofPair InitialNumbers(const Board& child, int32_t side, const PointList& moverList,
                         int32_t judgment) {
    int32_t answers = 0;
    if (strongSearch.countLegal) {
        answers = countLegalMoves(child, side, moverList);
    } else {
        for (int32_t i = 0; i < kListSlots && moverList[i] != 0; ++i) {
            answers += colourOf(child[moverList[i]]) == kEmpty ? 1 : 0;
        }
    }
    const int32_t lean = judgment * strongSearch.judgmentWeight / 100;
    const int32_t grown = strongSearch.openWeight * answers / 2 + (kChildIki ? lean : -lean);
    const uint16_t n = static_cast<uint16_t>(std::clamp(grown, 1, 1000));
    return kChildIki ? ProofPair{n, 1} : ProofPair{1, n};
}

// The same, with the judgment kept for ordering the children; a position the
// table knows gets kKnownChild, which sorts it first. A judged position is
// remembered under its key without the restraint, since no judgment depends
// on it, and taken from there the next time.
constexpr int32_t kKnownChild = INT32_MIN;
template <bool kChildIki>
ProofPair ValueChildJudged(const Board& child, uint64_t key, uint64_t judgedKey,
                           int32_t childSide, const PointList& judgeList,
                           const PointList& childList, int32_t& judgment, bool& dependent) {
    {
        std::lock_guard<std::mutex> hold(TableLockOf(key));
        NodeRecord* found;
        LookupRecord(key, childSide, &found);
        if (found != nullptr) {
            judgment = kKnownChild;
            const ProofPair known = RecordNumbers(found);
            dependent = DependsOnRestraint(found);
            return known;
        }
    }
    CachedJudgment cached;
    if (strongSearch.judgmentCache && FindJudgment(judgedKey, cached)) {
        judgment = cached.judgment;
        return cached.value;
    }
    judgment = judgePosition(child, targetPoint, judgeList);
    ProofPair value = ValueOfJudgment(judgment);
    if ((strongSearch.openWeight != 0 || strongSearch.judgmentWeight != 0) && !value.proven() &&
        !value.disproven()) {
        value = InitialNumbers<kChildIki>(child, childSide, childList, judgment);
    }
    if (strongSearch.judgmentCache) {
        StoreJudgment(judgedKey, {value, judgment});
    }
    return value;
}

// How good a judged child is for the side that moved into it, lower first:
// the attacker wants the target's group judged weak, the defender strong.
template <bool kIki>
int32_t OrderKey(int32_t judgment) {
    if (judgment == kKnownChild) {
        return kKnownChild;
    }
    return kIki ? -judgment : judgment;
}

// Sorts the first count children by their keys, keeping the order of equal
// keys (an insertion sort: a node has at most a hundred children).
void SortChildrenByKey(ChildEntry* children, int32_t* keys, int32_t count) {
    for (int32_t i = 1; i < count; ++i) {
        const ChildEntry entry = children[i];
        const int32_t key = keys[i];
        int32_t j = i;
        for (; j > 0 && keys[j - 1] > key; --j) {
            children[j] = children[j - 1];
            keys[j] = keys[j - 1];
        }
        children[j] = entry;
        keys[j] = key;
    }
}

// Whether a new position gets a record: always, but in a strong solve whose
// table has reached its limit.
template <bool kStrong>
bool MayStore() {
    if constexpr (kStrong) {
        return !TableFull();
    }
    return true;
}

// What the steps of one node search share.
struct Node {
    int32_t w;
    int32_t depth;
    int32_t side;
    const PointList& ownList;
    const PointList& otherList;
    int32_t koRetaken;
    int32_t restrain;      // restrainDefenderKo for the whole pass
    DepthArea& area;
    const Board* board;    // the node's board (tume_tori: with the preset stones)
    uint64_t stones;       // StonesKey of that board
    uint64_t key;
    bool restrainsOwnKo;   // this node's side has its ko captures held back

    // A pass is valued and searched unless it would give up a false eye.
    bool passConsidered() const {
        return restrainsOwnKo || falseEyeTest(*board, side, ownList) == 0;
    }
};

// A pass question whose answer turns on the restraint: a side may pass into
// a false eye only while its kos are held back.
void NotePassQuestion(const Node& node) {
    if (falseEyeTest(*node.board, node.side, node.ownList) != 0) {
        MarkLineDependent(node.w, node.depth);
    }
}

// Entry: the clock, the preset stones of an attacker's node, the key, and the
// two ways a node ends before it looks at the table (a repeated position,
// the depth limit).
template <bool kIki, bool kStrong>
int32_t EnterNode(Node& node, const Board& board, ProofPair& out) {
    NoteDepth(node.depth);
    if (SolveMustStop(node.w)) {
        return kSearchTimeUp;
    }
    if (node.depth >= kMaxDepth) {
        // The depth limit stops lines long before the work areas run out.
        ReportFatal("macroinv error %d\n", node.depth);
    }
    if constexpr (!kIki) {
        // The preset stones stay on every board of the subtree.
        copyBoard(node.area.nodeBoard, board);
        openEdgePreset(node.area.nodeBoard, node.side, node.ownList);
        node.board = &node.area.nodeBoard;
        // The preset only puts stones on listed points.
        for (int32_t i = 0; i < kListSlots && node.ownList[i] != 0; ++i) {
            const int32_t p = node.ownList[i];
            const int32_t before = colourOf(board[p]);
            const int32_t after = colourOf(node.area.nodeBoard[p]);
            if (before != after) {
                node.stones += StoneKey(after, p) - StoneKey(before, p);
            }
        }
    }
    node.key = node.stones + TurnKey(node.side, node.restrain);
    pathKeys[node.w][node.depth] = node.key;
    if (TracksRestraint<kStrong>()) {
        NoteLineDepth(node.w, node.depth);
    }

    for (int32_t d = 0; d < node.depth; ++d) {
        if (pathKeys[node.w][d] == node.key) {
            // A repeated position counts as life, except while the attacker's
            // ko captures are held back and a ko was retaken on the way.
            out = node.restrain == 0 && node.koRetaken == 1 ? kProvenPair : kDisprovenPair;
            if (TracksRestraint<kStrong>() &&
                (node.koRetaken == 1 || strongSearch.carryResults == 2)) {
                MarkLineDependent(node.w, node.depth);
            }
            return kSearchDone;
        }
    }
    if (node.depth > depthLimit.load(std::memory_order_relaxed)) {
        out = kFreshPair;
        return kSearchDone;
    }
    return kGoOn;
}

// Claiming the record: a known position is taken unless another worker holds
// it; a new one gets a busy placeholder and is expanded. A record that another
// worker is searching (not expanding) comes back as `helped`, so that this
// worker can search beside it.
int32_t ClaimRecord(const Node& node, bool tracksRestraint, bool mayStore, NodeRecord*& record,
                    bool& expand, ProofPair& out, NodeRecord*& helped) {
    std::lock_guard<std::mutex> hold(TableLockOf(node.key));
    NodeRecord* found;
    NodeRecord** link = LookupRecord(node.key, node.side, &found);
    if (found == nullptr && !mayStore) {
        // Searched without a record (see SearchChildren).
        record = nullptr;
        expand = true;
        return kGoOn;
    }
    if (found == nullptr) {
        record = InsertPlaceholder(node.w, link, node.key, node.side);
        expand = true;
        if (tracksRestraint) {
            NoteLineRecord(node.w, node.depth, record);
        }
        return kGoOn;
    }
    const uint16_t busy = loadNumber(found->busy);
    const ProofPair known = RecordNumbers(found);
    if (tracksRestraint) {
        // Read after the numbers, so that resolved numbers come with their flag.
        NoteLineRecord(node.w, node.depth, found);
        if (DependsOnRestraint(found)) {
            MarkLineDependent(node.w, node.depth);
        }
    }
    if (busy != kRecordFree) {
        out = known;
        if (busy >= kRecordSearched) {
            helped = found;
        }
        return kSearchBusy;
    }
    storeNumber(found->busy, kRecordSearched);
    record = found;
    expand = false;
    return kGoOn;
}

// The stones' key after the node's side played move: its stone in, the
// captured stones (the other colour) out.
uint64_t ChildStones(const Node& node, int32_t move) {
    const RulesScratch& scratch = rulesScratch[node.w];
    uint64_t stones = node.stones + StoneKey(node.side, move);
    const int32_t taken = opponent(node.side);
    for (int32_t i = 0; i < scratch.capturedByMove; ++i) {
        stones -= StoneKey(taken, scratch.captureRecord[i]);
    }
    return stones;
}

template <bool kIki, bool kStrong>
int32_t SearchNode(int32_t w, int32_t depth, const Board& board, uint64_t stones, int32_t side,
                   const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                   uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold,
                   int32_t koRetaken);

// Folds one child's numbers into the node's: sum is pn of an AND node (iki)
// or dn of an OR node (tori), least the other number. A saturated sum makes
// the least number 0.
template <bool kIki>
void FoldExpandedChild(const ProofPair& child, int32_t& sum, uint16_t& least) {
    sum += kIki ? child.pn : child.dn;
    if (sum >= INF) {
        sum = INF;
        least = 0;
    }
    least = std::min(least, kIki ? child.dn : child.pn);
}

// The strong order may sum weakly: the largest summed number plus one for
// each other open child, so that a position reached along several lines,
// which a plain sum counts once per line, does not swell its ancestors. Only
// a child at INF makes the sum INF.
struct WeakSum {
    int32_t most = 0;
    int32_t open = 0;
};
constexpr int32_t kWeakCap = INF - 1;
template <bool kIki>
void FoldWeakChild(const ProofPair& child, int32_t& sum, uint16_t& least, WeakSum& weak) {
    const int32_t summed = kIki ? child.pn : child.dn;
    if (summed >= INF) {
        sum = INF;
        least = 0;
    } else if (summed != 0 && sum < INF) {
        weak.most = std::max(weak.most, summed);
        weak.open += 1;
        sum = std::min(weak.most + weak.open - 1, kWeakCap);
    }
    least = std::min(least, kIki ? child.dn : child.pn);
}

template <bool kStrong>
bool SumsWeakly() {
    if constexpr (kStrong) {
        return strongSearch.weakSums;
    }
    return false;
}

// Expansion: every legal candidate is played and valued (the table's numbers
// or the judgment), the first ko capture of a side whose kos are held back is
// skipped, and a pass is valued when no move helps the side to move. The
// strong order may sort the children by their judgments.
struct NoOrderKeys {};
struct OrderKeys {
    int32_t key[kChildSlots];
};
// One child already wins the node for its side to move (its least number is 0).
template <bool kStrong>
bool SettledByOneChild(uint16_t least) {
    if constexpr (kStrong) {
        return strongSearch.cutExpansion && least == 0;
    }
    return false;
}

template <bool kIki, bool kStrong>
int32_t ExpandNode(const Node& node, NodeRecord* record, ProofPair& out) {
    DepthArea& area = node.area;
    Board& a = area.boardA;
    Board& b = area.boardB;
    ChildEntry* scratch = area.scratch;
    const int32_t childSide = opponent(node.side);
    constexpr ChildSteps kSteps{kIki ? Mover::kDefender : Mover::kAttacker,
                                ListOrder::kEmptyNeighboursFirst, false, false};
    copyBoard(a, *node.board);
    int32_t sum = 0;
    uint16_t least = INF;
    int32_t count = 0;
    bool koHeld = false;
    [[maybe_unused]] WeakSum weak;
    // A built candidate waiting to be valued; candidates are valued in the
    // order of the list, one behind the building.
    struct Built {
        Board* board;
        PointList* moverList;
        PointList* otherList;
        int32_t move;
        uint64_t key;
    };
    Built slots[2] = {{&b, &area.listX, &area.listY, 0, 0},
                      {&area.boardC, &area.listX2, &area.listY2, 0, 0}};
    int32_t next = 0;
    Built* waiting = nullptr;
    [[maybe_unused]] std::conditional_t<kStrong, OrderKeys, NoOrderKeys> order;
    auto value = [&](const Built& built) {
        // Judged on the attacker's list either way.
        const PointList& judgeList = kIki ? *built.otherList : *built.moverList;
        ProofPair child;
        if constexpr (kStrong) {
            int32_t judgment = 0;
            bool dependent = false;
            child = ValueChildJudged<!kIki>(*built.board, built.key,
                                            built.key - RestraintKey(node.restrain), childSide,
                                            judgeList, *built.otherList, judgment, dependent);
            order.key[count] = OrderKey<kIki>(judgment);
            if (TracksRestraint<kStrong>() && dependent) {
                MarkLineDependent(node.w, node.depth);
            }
        } else {
            child = ValueChild(*built.board, built.key, childSide, judgeList);
        }
        if constexpr (kIki) {
            // One point left next to the defender: the attacker fills it. (The
            // strong order starts an attacker's position at pn 1 too.)
            if (child.pn == 1 && CountTouchingPoints(*built.board, *built.otherList, node.side) == 1) {
                child = kProvenPair;
            }
        }
        if (SumsWeakly<kStrong>()) {
            FoldWeakChild<kIki>(child, sum, least, weak);
        } else {
            FoldExpandedChild<kIki>(child, sum, least);
        }
        scratch[count++] = {static_cast<uint16_t>(built.move), child.pn, child.dn};
    };
    for (int32_t i = 0; i < kListSlots && node.ownList[i] != 0; ++i) {
        const int32_t m = node.ownList[i];
        if (tumetst1(a, node.side, m) == 0) {
            continue;
        }
        Built& built = slots[next];
        copyBoard(*built.board, a);
        buildChildPosition(node.w, *built.board, node.side, m, node.ownList, node.otherList,
                           *built.moverList, *built.otherList, kSteps);
        if (TracksRestraint<kStrong>() && rulesScratch[node.w].koFlag == 1) {
            // Either side's first ko capture is held back in one pass.
            MarkLineDependent(node.w, node.depth);
        }
        if (node.restrainsOwnKo && rulesScratch[node.w].koFlag == 1 && !koHeld) {
            koHeld = true;
            continue;
        }
        built.move = m;
        built.key = ChildStones(node, m) + TurnKey(childSide, node.restrain);
        PrefetchBucket(built.key);
        if constexpr (kStrong) {
            if (strongSearch.judgmentCache) {
                PrefetchJudgment(built.key - RestraintKey(node.restrain));
            }
        }
        if (waiting != nullptr) {
            value(*waiting);
            if (SettledByOneChild<kStrong>(least)) {
                // The node is won for its side whatever the other moves are,
                // so the strong order builds and judges no more of them; a
                // won record is never searched again.
                waiting = nullptr;
                break;
            }
        }
        waiting = &built;
        next ^= 1;
    }
    if (waiting != nullptr) {
        value(*waiting);
    }
    if constexpr (kStrong) {
        if (strongSearch.orderChildren) {
            SortChildrenByKey(scratch, order.key, count);
        }
    }
    if (sum == 0 && TracksRestraint<kStrong>()) {
        NotePassQuestion(node);
    }
    if (sum == 0 && node.passConsidered()) {
        copyWithoutKoMarks(b, *node.board);
        const ProofPair pass = ValueOfJudgment(judgePosition(b, targetPoint, node.ownList));
        sum = 0;
        FoldExpandedChild<kIki>(pass, sum, least);
        scratch[count] = {0, pass.pn, pass.dn};
    } else {
        scratch[count] = {0, kFreshPair.pn, kFreshPair.dn};
    }
    out = kIki ? ProofPair{static_cast<uint16_t>(sum), least}
               : ProofPair{least, static_cast<uint16_t>(sum)};
    if (record == nullptr) {
        // An unstored node keeps its children in the scratch entries.
        return kSearchDone;
    }
    {
        std::lock_guard<std::mutex> hold(TableLockOf(record->key));
        NodeRecord* full = ReplacePlaceholder(node.w, record, count + 1);
        std::copy(scratch, scratch + count + 1, full->children());
        full->pn = out.pn;
        full->dn = out.dn;
        storeNumber(full->busy, kRecordFree);
    }
    return kSearchDone;
}

template <bool kIki>
ChildSelection SelectChild(const ChildEntry* children);

// A node's numbers from its children's; with kWeak the weak sum, and open
// counts the children still open on the summed number.
template <bool kIki, bool kWeak = false>
NodeNumbers NumbersOf(const ChildEntry* children);

// The selection as SelectChild makes it, with the children another worker is
// searching left out of the choice and of the second number (a busy best
// child would otherwise narrow the chosen one's threshold below its own
// number) but kept in the sum. Move -1 when every candidate is busy.
template <bool kIki>
ChildSelection SelectChildBesideBusy(const ChildEntry* children,
                                     const std::array<bool, kChildSlots>& busy) {
    constexpr int32_t kNone = 60001;
    ChildSelection pick{-1, -1, 0, 0, kNone};
    int32_t best = kNone;
    int32_t selectedSummed = 0;
    for (int32_t i = 0; children[i].move != 0; ++i) {
        const int32_t summed = kIki ? children[i].pn : children[i].dn;
        const int32_t ranked = kIki ? children[i].dn : children[i].pn;
        pick.scannedSum += summed;
        if (!busy[i] && ranked < best) {
            pick.second = best;
            best = ranked;
            pick.move = children[i].move;
            pick.index = i;
            selectedSummed = summed;
        } else if (!busy[i] && ranked < pick.second) {
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

// The selection loop: the node's numbers from its children, then the most
// promising child searched under narrowed thresholds, until a threshold is
// reached. A node whose side has no helping move searches its pass instead.
// The strong order lets the child grow past the second best by a fraction.
//
// Given a record another worker is searching instead of its own, the loop
// helps that worker: it runs on a copy of the owner's children, taken afresh
// each round, leaves the children the owner is in to it, never writes the
// record and ends once the owner lets it go. Whatever it learns goes into the
// records of the children it searches, where the owner finds it when it
// descends; numbers in the table are the same whoever wrote them, so helping
// changes how soon a position is resolved, never what it resolves to.
//
// With neither record (a strong solve whose table is full), the loop runs on
// the children its expansion left in the scratch entries, in the same visit,
// and what it finds goes up to the parent alone: it is found again whenever
// the position is visited again.
template <bool kIki, bool kStrong>
int32_t SearchChildren(const Node& node, NodeRecord* record, NodeRecord* helped,
                       int32_t pnThreshold, int32_t dnThreshold, ProofPair& out) {
    DepthArea& area = node.area;
    const int32_t childSide = opponent(node.side);
    constexpr ChildSteps kSteps{kIki ? Mover::kDefender : Mover::kAttacker,
                                ListOrder::kCapturedPointsFirst, true, true};
    const bool helping = helped != nullptr;
    ChildEntry* children = record == nullptr ? area.scratch : record->children();
    if (helping) {
        area.searchedHere.fill(false);
    }
    int32_t busyInARow = 0;
    // Only several workers ever find a child busy: one worker's own line is
    // caught as a repetition first, so its selection stays SelectChild's.
    bool anyBusy = false;
    // Helping is bounded too, as an owner it waits for may hold the node long.
    int32_t helpRounds = 0;
    for (;;) {
        if (helping) {
            int32_t ownerChild = 0;
            if (++helpRounds > kBusyRetries ||
                !CopyHelpedChildren(helped, children, area.searchedHere, ownerChild)) {
                return kSearchDone;
            }
            // The child the owner is in is left to it.
            if (!anyBusy) {
                area.busyChild.fill(false);
                anyBusy = true;
            }
            area.busyChild[ownerChild] = true;
        }
        const NodeNumbers numbers = SumsWeakly<kStrong>() ? NumbersOf<kIki, true>(children)
                                    : kIki                 ? NodeNumbersIki(children)
                                                           : NodeNumbersTori(children);
        ProofPair now{numbers.pn, numbers.dn};
        const ChildEntry& closing = children[numbers.count];
        bool searchPass = false;
        if ((kIki ? now.pn : now.dn) == 0 && TracksRestraint<kStrong>()) {
            NotePassQuestion(node);
        }
        if ((kIki ? now.pn : now.dn) == 0 && node.passConsidered()) {
            if (closing.pn != 0 && closing.dn != 0) {
                searchPass = true;
            } else {
                now = {closing.pn, closing.dn};
            }
        }

        int32_t move = 0;
        int32_t index = numbers.count;
        int32_t childPnThreshold = INF;
        int32_t childDnThreshold = INF;
        if (!searchPass) {
            out = now;
            if (record == nullptr) {
                if (now.pn >= pnThreshold || now.dn >= dnThreshold) {
                    return kSearchDone;
                }
            } else {
                storeNumber(record->pn, now.pn);
                storeNumber(record->dn, now.dn);
                if (now.pn >= pnThreshold || now.dn >= dnThreshold) {
                    ReleaseRecord(record);
                    return kSearchDone;
                }
            }
            ChildSelection pick{-1, -1, 0, 0, 0};
            if (anyBusy) {
                // The next-best child that no other worker is searching.
                pick = SelectChildBesideBusy<kIki>(children, area.busyChild);
                if (pick.move == -1 && helping) {
                    // Everything here is being searched already.
                    return kSearchDone;
                }
                if (pick.move == -1) {
                    // Every child is being searched elsewhere: give their
                    // owners the processor before looking again.
                    std::this_thread::yield();
                    area.busyChild.fill(false);
                    anyBusy = false;
                }
            }
            if (!anyBusy) {
                pick = kIki ? SelectIkiChild(children) : SelectToriChild(children);
            }
            if (pick.move == -1) {
                ReportFatal(kIki ? "tume_iki error maxpos=%d maxi=%d\n"
                                 : "tume_tori error maxpos=%d maxi=%d\n",
                            pick.move, pick.index);
            }
            move = pick.move;
            index = pick.index;
            // What the other children add to the summed number. A weak sum
            // stops below INF, so a node that is to reach INF needs a child
            // at INF, and that child is searched to INF.
            const bool weak = SumsWeakly<kStrong>();
            const int32_t summedThreshold = kIki ? pnThreshold : dnThreshold;
            const int32_t rest = !weak                      ? pick.scannedSum - pick.selectedPart
                                 : summedThreshold >= INF ? 0
                                                          : std::max(numbers.open - 1, 0);
            int32_t narrowed = pick.second + 1;
            if constexpr (kStrong) {
                narrowed = StrongNarrowedThreshold(pick.second, strongSearch);
            }
            if constexpr (kIki) {
                childPnThreshold = pnThreshold - rest;
                childDnThreshold = std::min(dnThreshold, narrowed);
            } else {
                childPnThreshold = std::min(pnThreshold, narrowed);
                childDnThreshold = dnThreshold - rest;
            }
            childPnThreshold = std::min<int32_t>(childPnThreshold, INF);
            childDnThreshold = std::min<int32_t>(childDnThreshold, INF);
        }

        Board& a = area.boardA;
        const PointList* childOwn;
        const PointList* childOther;
        int32_t childKoRetaken = node.koRetaken;
        uint64_t childStones = node.stones;
        if (move == 0) {
            copyWithoutKoMarks(a, *node.board);
            childOwn = &node.otherList;
            childOther = &node.ownList;
        } else {
            copyBoard(a, *node.board);
            buildChildPosition(node.w, a, node.side, move, node.ownList, node.otherList,
                               area.listX, area.listY, kSteps);
            childStones = ChildStones(node, move);
            if constexpr (!kIki) {
                // A defender's node adds no stones, so its key is known here.
                PrefetchBucket(childStones + TurnKey(childSide, node.restrain));
            }
            if (((*node.board)[move] & kKoMark) != 0) {
                childKoRetaken = 1;
            }
            childOwn = &area.listY;
            childOther = &area.listX;
        }

        if (record != nullptr) {
            storeNumber(record->busy, static_cast<uint16_t>(kRecordSearched + index));
        }
        uint16_t childPn = kFreshPair.pn;
        uint16_t childDn = kFreshPair.dn;
        const int32_t code = SearchNode<!kIki, kStrong>(node.w, node.depth + 1, a, childStones, childSide,
                                               *childOwn, *childOther, childPn, childDn,
                                               childPnThreshold, childDnThreshold, childKoRetaken);
        if (code == kSearchTimeUp) {
            if (record != nullptr) {
                ReleaseRecord(record);
            }
            return kSearchTimeUp;
        }
        // A helping worker may be reading these.
        storeNumber(children[index].pn, childPn);
        storeNumber(children[index].dn, childDn);
        if (helping) {
            area.searchedHere[index] = true;
        }
        // A search made beside busy children does not end the run of busy
        // finds: two workers that each hold what the other waits for would
        // otherwise go round their other children for ever.
        if (code == kSearchBusy) {
            busyInARow += 1;
        } else if (!anyBusy) {
            busyInARow = 0;
        }
        if (code == kSearchBusy && index < numbers.count) {
            if (!anyBusy) {
                area.busyChild.fill(false);
                anyBusy = true;
            }
            area.busyChild[index] = true;
        } else {
            anyBusy = false;
        }
        if (busyInARow >= kBusyRetries) {
            // Two workers can each own a position the other is waiting for
            // (a pass answered by a pass reaches the first position again).
            // Letting go of this record breaks such a wait.
            if (record == nullptr) {
                return kSearchDone;
            }
            out = RecordNumbers(record);
            ReleaseRecord(record);
            return kSearchDone;
        }
    }
}

template <bool kIki, bool kStrong>
int32_t SearchNode(int32_t w, int32_t depth, const Board& board, uint64_t stones, int32_t side,
                   const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                   uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold,
                   int32_t koRetaken) {
    const int32_t restrain = restrainDefenderKo.load(std::memory_order_relaxed);
    Node node{w,        depth, side, ownList, otherList, koRetaken, restrain,
              workAreas[w][depth < kMaxDepth ? depth : 0], &board, stones, 0,
              kIki ? restrain == 1 : restrain == 0};
    ProofPair out{pnOut, dnOut};
    int32_t code = EnterNode<kIki, kStrong>(node, board, out);
    NodeRecord* record = nullptr;
    bool expand = false;
    NodeRecord* helped = nullptr;
    if (code == kGoOn) {
        code = ClaimRecord(node, TracksRestraint<kStrong>(), MayStore<kStrong>(), record, expand,
                           out, helped);
    }
    if (code == kGoOn && expand) {
        code = ExpandNode<kIki, kStrong>(node, record, out);
        if (record == nullptr && out.pn < pnThreshold && out.dn < dnThreshold) {
            code = SearchChildren<kIki, kStrong>(node, nullptr, nullptr, pnThreshold, dnThreshold,
                                                 out);
        }
    } else if (code == kGoOn) {
        const ProofPair known = RecordNumbers(record);
        if (known.pn >= pnThreshold || known.dn >= dnThreshold) {
            out = known;
            ReleaseRecord(record);
            code = kSearchDone;
        } else {
            code = SearchChildren<kIki, kStrong>(node, record, nullptr, pnThreshold, dnThreshold,
                                                 out);
        }
    } else if (code == kSearchBusy && helped != nullptr && out.pn < pnThreshold &&
               out.dn < dnThreshold) {
        // Searched beside its owner; the caller still takes the position as
        // busy, as it would without the help.
        if (SearchChildren<kIki, kStrong>(node, nullptr, helped, pnThreshold, dnThreshold, out) ==
            kSearchTimeUp) {
            code = kSearchTimeUp;
        }
    }
    Answer(out, pnOut, dnOut);
    return code;
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
template <bool kIki, bool kWeak>
NodeNumbers NumbersOf(const ChildEntry* children) {
    if (children[0].move == 0) {
        return kIki ? NodeNumbers{0, INF, 0} : NodeNumbers{INF, 0, 0};
    }
    int32_t sum = 0;
    uint16_t least = INF;
    [[maybe_unused]] WeakSum weak;
    int32_t count = 0;
    for (; children[count].move != 0; ++count) {
        if constexpr (kWeak) {
            FoldWeakChild<kIki>({children[count].pn, children[count].dn}, sum, least, weak);
            if (least == 0) {
                sum = INF;
            }
            continue;
        }
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
    NodeNumbers numbers = kIki ? NodeNumbers{summed, least, count} : NodeNumbers{least, summed, count};
    if constexpr (kWeak) {
        numbers.open = weak.open;
    }
    return numbers;
}

}  // namespace

int32_t tume_iki(int32_t w, int32_t depth, const Board& board, int32_t side,
                 const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                 uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold, int32_t koRetaken) {
    return SearchNode<true, false>(w, depth, board, StonesKey(board), side, ownList, otherList,
                                   pnOut, dnOut, pnThreshold, dnThreshold, koRetaken);
}

int32_t tume_tori(int32_t w, int32_t depth, const Board& board, int32_t side,
                  const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                  uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold, int32_t koRetaken) {
    return SearchNode<false, false>(w, depth, board, StonesKey(board), side, ownList, otherList,
                                    pnOut, dnOut, pnThreshold, dnThreshold, koRetaken);
}

int32_t tume_iki_strong(int32_t w, int32_t depth, const Board& board, int32_t side,
                        const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                        uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold,
                        int32_t koRetaken) {
    return SearchNode<true, true>(w, depth, board, StonesKey(board), side, ownList, otherList,
                                  pnOut, dnOut, pnThreshold, dnThreshold, koRetaken);
}

int32_t tume_tori_strong(int32_t w, int32_t depth, const Board& board, int32_t side,
                         const PointList& ownList, const PointList& otherList, uint16_t& pnOut,
                         uint16_t& dnOut, int32_t pnThreshold, int32_t dnThreshold,
                         int32_t koRetaken) {
    return SearchNode<false, true>(w, depth, board, StonesKey(board), side, ownList, otherList,
                                   pnOut, dnOut, pnThreshold, dnThreshold, koRetaken);
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

uint64_t PathKey(int32_t w, int32_t depth) { return pathKeys[w][depth]; }
