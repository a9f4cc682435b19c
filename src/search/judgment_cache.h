// The strong order's memory of judged positions: the numbers and judgment
// of every position valued at an expansion, so that a position reached again
// before it is searched is not judged again. One slot per key group, the
// newest judgment winning it; a slot read while another worker writes it is
// seen as empty.
#pragma once

#include <cstdint>

#include "search/node_table.h"

struct CachedJudgment {
    ProofPair value;
    int32_t judgment;
};

// Starts a solve's cache: every slot written before is forgotten. Takes the
// slots' memory on the first call; false (and the cache unused) when there is
// none to take.
bool StartJudgmentCache();
bool FindJudgment(uint64_t key, CachedJudgment& found);
void StoreJudgment(uint64_t key, const CachedJudgment& judged);
// Asks for the key's slot ahead of a FindJudgment; changes nothing.
void PrefetchJudgment(uint64_t key);
