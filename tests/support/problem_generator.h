// A deterministic generator of tsumego-like positions: a defender's group
// around a small eye space in the corner, on the side or in the centre,
// walled in by the attacker, with some gaps in the wall (outside liberties),
// cutting points, placements inside the eye space and now and then a ko mark.
// The same index always gives the same position, on any machine: the random
// numbers are our own, not the standard library's distributions.
#pragma once

#include <cstdint>

#include "position/board.h"

struct GeneratedProblem {
    Board board{};
    int32_t side = 0;
    int32_t target = 0;
};

class GeneratorRandom {
public:
    explicit GeneratorRandom(uint64_t seed) : state_(seed) {}

    uint64_t next() {  // splitmix64
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint64_t>(n)); }
    bool chance(int32_t percent) { return below(100) < percent; }

private:
    uint64_t state_;
};

namespace generator_detail {

enum : uint8_t { kFree = 0, kEye = 1, kWall = 2, kSiege = 3 };

inline bool inBox(int32_t x, int32_t y) { return x >= 1 && x <= 19 && y >= 1 && y <= 19; }

// 1 when every string on the board has a liberty.
inline bool everyStringBreathes(const Board& board) {
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        const uint8_t c = colourOf(board[p]);
        if ((c == kBlack || c == kWhite) && tumedame(board, p) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace generator_detail

// Returns false when the index gives no usable position (a string without a
// liberty, say); the caller goes on to the next index.
inline bool generateProblem(uint32_t index, GeneratedProblem& out) {
    using namespace generator_detail;
    GeneratorRandom random(0x05713E1ull * 1000003ull + index);
    uint8_t role[21][21] = {};

    // Where the group lives: corner (1,1), the top side, or the centre.
    const int32_t kind = random.below(10) < 4 ? 0 : random.below(10) < 6 ? 1 : 2;
    int32_t ax = 1, ay = 1;
    if (kind == 1) {
        ax = 6 + random.below(8);
    } else if (kind == 2) {
        ax = 7 + random.below(6);
        ay = 7 + random.below(6);
    }
    const int32_t maxDepth = kind == 2 ? 19 : 3;  // edge groups keep their eyes low

    // The eye space: a connected set of 2..8 points grown from the anchor.
    const int32_t eyeSize = 2 + random.below(7);
    int32_t eyes[9][2] = {{ax, ay}};
    int32_t eyeCount = 1;
    role[ax][ay] = kEye;
    for (int32_t tries = 0; eyeCount < eyeSize && tries < 200; ++tries) {
        const int32_t* from = eyes[random.below(eyeCount)];
        const int32_t dir = random.below(4);
        const int32_t x = from[0] + (dir == 0) - (dir == 1);
        const int32_t y = from[1] + (dir == 2) - (dir == 3);
        if (!inBox(x, y) || role[x][y] != kFree || y > maxDepth) {
            continue;
        }
        role[x][y] = kEye;
        eyes[eyeCount][0] = x;
        eyes[eyeCount][1] = y;
        ++eyeCount;
    }

    // The defender's wall around it, then the attacker's siege around that.
    const int32_t dx[8] = {-1, 1, 0, 0, -1, 1, -1, 1};
    const int32_t dy[8] = {0, 0, -1, 1, -1, -1, 1, 1};
    for (int32_t x = 1; x <= 19; ++x) {
        for (int32_t y = 1; y <= 19; ++y) {
            if (role[x][y] != kFree) {
                continue;
            }
            for (int32_t d = 0; d < 8; ++d) {
                const int32_t nx = x + dx[d], ny = y + dy[d];
                if (inBox(nx, ny) && role[nx][ny] == kEye) {
                    role[x][y] = kWall;
                    break;
                }
            }
        }
    }
    for (int32_t x = 1; x <= 19; ++x) {
        for (int32_t y = 1; y <= 19; ++y) {
            if (role[x][y] != kFree) {
                continue;
            }
            for (int32_t d = 0; d < 8; ++d) {
                const int32_t nx = x + dx[d], ny = y + dy[d];
                if (inBox(nx, ny) && role[nx][ny] == kWall) {
                    role[x][y] = kSiege;
                    break;
                }
            }
        }
    }

    const uint8_t defender = random.chance(50) ? kBlack : kWhite;
    const uint8_t attacker = defender == kBlack ? kWhite : kBlack;
    const int32_t wallGaps = random.below(3) == 0 ? 0 : 8 + random.below(12);
    const int32_t siegeGaps = random.below(3) == 0 ? 0 : 5 + random.below(15);
    Board board;
    clearBoard(board);
    int32_t target = 0;
    for (int32_t x = 1; x <= 19; ++x) {
        for (int32_t y = 1; y <= 19; ++y) {
            const int32_t p = pointAt(x, y);
            if (role[x][y] == kWall && !random.chance(wallGaps)) {
                board[p] = defender;
                if (target == 0 || random.chance(20)) {
                    target = p;
                }
            } else if (role[x][y] == kSiege && !random.chance(siegeGaps)) {
                board[p] = attacker;
            } else if (role[x][y] == kEye && eyeCount > 2 && random.chance(12)) {
                board[p] = random.chance(75) ? attacker : defender;  // placements
            }
        }
    }
    if (target == 0 || board[target] != defender) {
        return false;
    }
    // Now and then a ko-marked empty point inside the eye space.
    if (random.chance(30)) {
        const int32_t* eye = eyes[random.below(eyeCount)];
        const int32_t p = pointAt(eye[0], eye[1]);
        if (board[p] == kEmpty) {
            board[p] = kKoMark;
        }
    }
    if (!everyStringBreathes(board)) {
        return false;
    }

    // Any of the eight orientations.
    const int32_t symmetry = random.below(8);
    transformBoard(symmetry, out.board, board);
    out.target = 0;
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (isOnBoard(p) && inversePoint(symmetry, p) == target) {
            out.target = p;
        }
    }
    out.side = random.chance(50) ? kBlack : kWhite;
    return out.target != 0;
}
