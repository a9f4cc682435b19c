#include "search/solve_state.h"

#include "search/node_search.h"

int32_t workerCount = 1;
int32_t timeLimitSeconds = 100000;
SearchMode searchMode = SearchMode::kExact;
StrongSearchSettings strongSearch;
uint32_t strongMemoryMegabytes = 0;
bool strongKeepsTable = false;

std::mutex engineLock;
std::atomic<int32_t> solveWorkers{1};
std::atomic<int32_t> solveSearchers{1};
int32_t searchingWorkerLimit = 0;
std::atomic<int32_t> workersStarted{0};
std::atomic<int32_t> workersRunning{0};
bool (*startWorkerThread)(void (*entry)()) = StartDetachedThread;
std::array<std::atomic<int32_t>, kMeetingCount> meetingArrivals{};

std::atomic<int32_t> attackerFirst{0};
std::atomic<int32_t> restrainDefenderKo{1};
std::atomic<int32_t> depthLimit{kRootDepthLimit};
std::atomic<int32_t> maxDepthReached{0};
std::atomic<bool> solveCutOff{false};
std::atomic<int64_t> solveDeadlineMs{kNoDeadline};
std::atomic<bool> stopRequested{false};
std::array<PointList, kMaxWorkers> solutionMoves{};
std::FILE* logFile = nullptr;

SolveOutcome lastOutcome;
std::atomic<int32_t> solveResult{kSolveRunning};
