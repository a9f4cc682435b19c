#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <system_error>
#include <thread>

#include "frontend.h"
#include "position/judgment.h"
#include "problem/problem.h"
#include "search/judgment_cache.h"
#include "search/keys.h"
#include "search/node_search.h"
#include "search/node_table.h"
#include "search/pass_carry.h"
#include "search/system_memory.h"
#include "search/progress.h"
#include "search/root_drivers.h"
#include "search/solve.h"
#include "search/solve_log.h"
#include "search/solve_state.h"

namespace {

// Set when not every worker of a solve could be started: the ones that were
// leave the first rendezvous at once and return.
std::atomic<bool> launchFailed{false};

// The waits block and are woken by each arrival. The cut-off and a failed
// launch are raised without a wake-up (worker 0's time watch, the window's
// stop), so a waiting worker also looks at them every so often.
constexpr int32_t kPassWaitMs = 1;
constexpr int32_t kEndWaitMs = 10;
std::mutex meetingLock;
std::condition_variable meetingWake;

void WakeWaitingWorkers() {
    {
        std::lock_guard<std::mutex> hold(meetingLock);
    }
    meetingWake.notify_all();
}

// Meets the other workers. A wait before pass 2 gives up (false) once the
// solve has been cut off or any worker has gone on to the final rendezvous:
// the pass can no longer gather every worker, and waiting would never end.
// Every wait gives up when the launch failed.
bool Rendezvous(Meeting meeting, int32_t sleepMs, bool beforePassTwo) {
    std::atomic<int32_t>& counter = meetingArrivals[meeting];
    std::unique_lock<std::mutex> hold(meetingLock);
    counter.fetch_add(1);
    meetingWake.notify_all();
    for (;;) {
        if (counter.load() >= solveWorkers.load()) {
            return true;
        }
        if (launchFailed.load()) {
            return false;
        }
        if (beforePassTwo && (solveCutOff.load() || meetingArrivals[kMeetOutcomeShown].load() > 0)) {
            return false;
        }
        meetingWake.wait_for(hold, std::chrono::milliseconds(sleepMs));
    }
}

void ClearList(PointList& list) { list = PointList{}; }

// Worker 0's result of each pass, for the workers that do not search.
constexpr int32_t kPassRunning = INT32_MIN;
std::array<std::atomic<int32_t>, 2> passResults{};

int32_t SearchingWorkers(int32_t workers) {
    int32_t limit = searchingWorkerLimit;
    if (limit <= 0) {
        const unsigned processors = std::thread::hardware_concurrency();
        limit = processors == 0 ? kMaxWorkers
                                : static_cast<int32_t>(std::min<unsigned>(processors, kMaxWorkers));
    }
    return std::clamp(limit, 1, workers);
}

void PublishPassResult(int32_t pass, int32_t result) {
    {
        std::lock_guard<std::mutex> hold(meetingLock);
        passResults[pass].store(result);
    }
    meetingWake.notify_all();
}

// A worker that does not search takes worker 0's result of the pass, so that
// it goes on to the same meeting points.
int32_t AwaitPassResult(int32_t pass) {
    std::unique_lock<std::mutex> hold(meetingLock);
    while (passResults[pass].load() == kPassRunning) {
        meetingWake.wait_for(hold, std::chrono::milliseconds(kEndWaitMs));
    }
    return passResults[pass].load();
}

void CloseLog(int32_t index) {
    if (index == 0 && logFile != nullptr) {
        std::fclose(logFile);
        logFile = nullptr;
    }
}

int32_t RunPass(int32_t index, PointList& listA, PointList& listB) {
    ClearList(solutionMoves[index]);
    const bool defenderFirst = attackerFirst.load() == 0;
    if (index == 0) {
        lastCheckTick = TickCount();
    }
    int32_t result = defenderFirst ? SolveDefenderFirst(index, 0, listA, listB)
                                   : SolveAttackerFirst(index, 0, listB, listA);
    if (result == 0 && solutionMoves[index][0] != 0) {
        result = 3;
    }
    return result;
}

// Worker 0's report of the finished solve, from the pass results and the
// solve-wide figures.
SolveOutcome OutcomeOfSolve(int32_t r1, int32_t r2, uint32_t seconds) {
    SolveOutcome outcome;
    outcome.firstPass = r1;
    outcome.secondPass = r2;
    outcome.seconds = seconds;
    outcome.memoryBytes = memoryUsed.load();
    outcome.judgments = JudgeCount();
    outcome.depth = maxDepthReached.load() + 1;
    outcome.moves = solutionMoves[0];
    outcome.search = searchMode;
    copyBoard(outcome.board, problemBoard);
    outcome.side = sideToMove;
    outcome.target = targetPoint;
    DescribeOutcome(outcome, attackerFirst.load() == 0);
    return outcome;
}

}  // namespace

void PrepareKeys() { FillKeys(TickCount()); }

void PrepareKeysFromSeed(uint32_t seed) { FillKeys(seed); }

// The waits below are woken by the stores they wait for, not by polling:
// a poll's sleep would add its length to every solve a script runs.
void WaitForWorkersToExit() {
    for (int32_t running = workersRunning.load(); running > 0; running = workersRunning.load()) {
        workersRunning.wait(running);
    }
}

void WaitForSolveResult() {
    for (int32_t result = solveResult.load(); result == kSolveRunning; result = solveResult.load()) {
        solveResult.wait(result);
    }
}

namespace {

void WorkerReturns() {
    workersRunning.fetch_sub(1);
    workersRunning.notify_all();
}

void PublishSolveResult(int32_t result) {
    solveResult.store(result);
    solveResult.notify_all();
}

}  // namespace

SolveRefusalCode SolveRefusal(int32_t workers) {
    if (targetStone() == 0) {
        return SolveRefusalCode::kNoTarget;
    }
    if (sideToMove != kBlack && sideToMove != kWhite) {
        return SolveRefusalCode::kNoSide;
    }
    if (stoneWithoutLiberty(problemBoard) != 0) {
        return SolveRefusalCode::kStringWithoutLiberty;
    }
    if (workers < 1 || workers > kMaxWorkers) {
        return SolveRefusalCode::kWorkerCount;
    }
    return SolveRefusalCode::kNone;
}

bool StartDetachedThread(void (*entry)()) {
    try {
        std::thread(entry).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

// Its own flag as well: worker 0 clears solveCutOff as the solve starts,
// which would lose a stop asked for just then.
void RequestSolveStop() {
    stopRequested.store(true);
    solveCutOff.store(true);
}

bool LaunchSolveWorkers(int32_t workers) {
    WaitForWorkersToExit();
    workerCount = workers;
    solveWorkers.store(workers);
    solveSearchers.store(SearchingWorkers(workers));
    for (std::atomic<int32_t>& result : passResults) {
        result.store(kPassRunning);
    }
    workersStarted = 0;
    for (std::atomic<int32_t>& arrivals : meetingArrivals) {
        arrivals.store(0);
    }
    solveCutOff.store(false);
    stopRequested.store(false);
    launchFailed.store(false);
    solveResult.store(kSolveRunning);
    for (int32_t i = 0; i < workers; ++i) {
        // Counted before the thread exists, so that a wait for the workers
        // cannot miss one that has not yet begun.
        workersRunning.fetch_add(1);
        if (!startWorkerThread(SolveWorker)) {
            WorkerReturns();
            launchFailed.store(true);
            WakeWaitingWorkers();
            WaitForWorkersToExit();
            PublishSolveResult(kSolveNotStarted);
            return false;
        }
    }
    return true;
}

namespace {

// The strong order's limit on counted record bytes: the asked megabytes, or
// half the machine's memory.
uint64_t StrongRecordLimit(uint32_t megabytes) {
    if (megabytes != 0) {
        return uint64_t{megabytes} << 20;
    }
    return MachineMemoryBytes() / 2;
}

}  // namespace

void SolveWorker() {
    int32_t index;
    bool defenderFirst;
    {
        std::lock_guard<std::mutex> hold(engineLock);
        index = workersStarted.fetch_add(1);
        SetJudgeCountSlot(index);
        // Every worker reduces the problem to plain colours; the lock keeps the
        // identical writes apart.
        copyColours(problemBoard, problemBoard);
        defenderFirst = sideToMove == problemBoard[targetPoint];
    }
    if (index == 0) {
        logFile = OpenSolveLog();
    }
    PointList listA = regionPoints;
    PointList listB = regionPoints;
    attackerFirst.store(defenderFirst ? 0 : 1);
    ResetProgressCounters(index);

    if (index == 0) {
        for (PointList& list : solutionMoves) {
            ClearList(list);
        }
        ResetJudgeCount();
        lastShownSecond = 0;
        slowChecks = 0;
        lastCheckTick = TickCount();
        maxDepthReached.store(0);
        solveCutOff.store(false);
        const int64_t now = SteadyMilliseconds();
        startTick = static_cast<uint32_t>(now);
        solveDeadlineMs.store(now + int64_t{timeLimitSeconds} * 1000);
    }

    if (!Rendezvous(kMeetStarted, kPassWaitMs, false)) {
        CloseLog(index);
        WorkerReturns();
        return;
    }
    const bool strong = searchMode == SearchMode::kStrong;
    const bool carry = strong && strongSearch.carryResults != 0;
    // The next position of a play-out may start from what the last solve
    // resolved; anything else starts from an empty table.
    const bool keepsTable = strong && strongSearch.carryResults == 2 && strongKeepsTable;
    if (index == 0) {
        StartFromKeptTable(keepsTable, problemBoard, targetPoint, regionPoints,
                           defenderFirst ? 1 : 0);
        recordByteLimit.store(strong ? StrongRecordLimit(strongMemoryMegabytes) : 0);
    }
    if (strong && strongSearch.judgmentCache && index == 0 && !StartJudgmentCache()) {
        strongSearch.judgmentCache = false;
    }
    Rendezvous(kMeetTableCleared, kPassWaitMs, false);
    restrainDefenderKo.store(defenderFirst ? 1 : 0);
    const bool searches = index < solveSearchers.load();
    const int32_t r1 = searches ? RunPass(index, listA, listB) : AwaitPassResult(0);
    if (index == 0) {
        PublishPassResult(0, r1);
    }

    int32_t r2 = 0;
    if (r1 == 0) {
        bool together = Rendezvous(kMeetPassOneOpen, kPassWaitMs, true);
        if (together && carry) {
            if (index == 0) {
                CarryResolvedRecords(defenderFirst ? 1 : 0, defenderFirst ? 0 : 1);
            }
        } else if (together) {
            ClearNodeTable(index);
        }
        if (together) {
            together = Rendezvous(kMeetTableClearedTwo, kPassWaitMs, true);
        }
        if (together) {
            restrainDefenderKo.store(defenderFirst ? 0 : 1);
            r2 = searches ? RunPass(index, listA, listB) : AwaitPassResult(1);
        } else if (solveCutOff.load()) {
            r2 = kSearchTimeUp;
        }
    }
    // Published whether or not pass 2 ran: a waiting worker may have met the
    // others before it when worker 0 did not.
    if (index == 0) {
        PublishPassResult(1, r2);
    }

    if (index == 0) {
        const uint32_t seconds = RoundedSeconds(TickCount(), startTick);
        lastOutcome = OutcomeOfSolve(r1, r2, seconds);
        // The window's box is modal: the solve ends once it is closed.
        ShowSolveOutcome(lastOutcome);
    }

    Rendezvous(kMeetOutcomeShown, kEndWaitMs, false);
    if (keepsTable && index == 0) {
        KeepTableForNextSolve(targetPoint, regionPoints, restrainDefenderKo.load());
    } else {
        ClearNodeTable(index);
    }
    if (index == 0) {
        ReleaseSpareBlocks();
    }
    CloseLog(index);
    Rendezvous(kMeetTableReleased, kEndWaitMs, false);
    if (index == 0) {
        solveDeadlineMs.store(kNoDeadline);
        PublishSolveResult(lastOutcome.verdict);
    }
    WorkerReturns();
}
