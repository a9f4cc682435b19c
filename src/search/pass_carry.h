// Carrying resolved positions from the first ko pass into the second (the
// strong order only).
//
// The two passes differ only in whose ko captures are held back: that side's
// first ko capture at a node is skipped, it may pass even into a false eye,
// and a repetition after a retaken ko counts for the attacker while the
// attacker's kos are held back. A position resolved in the first pass
// without any of these anywhere below it (no ko capture among the candidates
// of a node searched, no pass question whose answer turned on the restraint,
// no repetition after a retaken ko, no such position read from the table)
// was resolved by moves and judgments that the second pass has too, so its
// value holds there. Every record on the line above such an event is marked
// as depending on the restraint; the unmarked resolved records are kept for
// the second pass under its keys, the rest dropped.
//
// Kept values can still differ from what the second pass would find by
// itself where a value depends on the line that reached it (a repetition
// counted as life, the one-point rule reading a record); the table has the
// same property within one pass.
#pragma once

#include <cstdint>

#include "position/board.h"

struct NodeRecord;

// Worker w's line now reaches depth, where no record is claimed yet: the
// nodes below it are no longer on it.
void NoteLineDepth(int32_t w, int32_t depth);
// The record of worker w's node at depth (its own, or the one it helps with).
void NoteLineRecord(int32_t w, int32_t depth, NodeRecord* record);
// The records of worker w's line, from the first to the one at depth, depend
// on the restraint.
void MarkLineDependent(int32_t w, int32_t depth);
bool DependsOnRestraint(NodeRecord* record);
// Worker 0, while no worker searches: keeps the resolved records that do not
// depend on the restraint, rekeyed from the first pass's
// restraint to the second's, and drops every other record.
void CarryResolvedRecords(int32_t fromRestraint, int32_t toRestraint);

// Between the solves of a play-out. The next position's solve has the same
// target and keys, its region is the last region's points still empty, and
// its positions are positions of the last solve's search space: a position
// the last solve resolved, without the restraint and without any repetition
// below it (carry=2 marks those too), has that value whatever line reaches
// it, in either pass, as it has for the table within one solve. So worker 0
// ends a strong solve by keeping its table, noting what it was searched for...
void KeepTableForNextSolve(int32_t target, const PointList& region, int32_t restraint);
// ...and starts the next one (board and region as set up, the restraint of
// its first pass) from the kept records that hold there when reuse is
// allowed and the problem is the last one played on, else from an empty
// table.
void StartFromKeptTable(bool reuse, const Board& board, int32_t target, const PointList& region,
                        int32_t restraint);
