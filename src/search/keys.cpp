#include "search/keys.h"

std::array<uint64_t, kBoardCells> blackKeys{};
std::array<uint64_t, kBoardCells> whiteKeys{};
uint32_t randomState = 0;

namespace {

constexpr std::array<uint64_t, 10> kKeyMultipliers = {64, 128, 32, 128, 32, 128, 32, 64, 64, 128};

// Thirteen draws folded into one 64-bit entry; the parts overlap on purpose.
uint64_t NextKey() {
    uint64_t x = 0;
    for (uint64_t multiplier : kKeyMultipliers) {
        x = (x + NextRandom()) * multiplier;
    }
    uint64_t r11 = NextRandom();
    uint64_t r12 = NextRandom();
    uint64_t r13 = NextRandom();
    return x + (r11 >> 12) + (r12 >> 5) + r13;
}

}  // namespace

uint32_t NextRandom() {
    randomState = (12345u - randomState * 1043968403u) & 0x7FFFFFFFu;
    return randomState;
}

void FillKeys(uint32_t seed) {
    randomState = seed;
    for (uint64_t& key : whiteKeys) {
        key = NextKey();
    }
    for (uint64_t& key : blackKeys) {
        key = NextKey();
    }
}

uint64_t PositionKey(const Board& board, int32_t side, int32_t restrainDefender) {
    return StonesKey(board) + TurnKey(side, restrainDefender);
}

uint64_t StonesKey(const Board& board) {
    uint64_t key = 0;
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        const uint8_t colour = board[p] & kColourMask;
        if (colour == kBlack) {
            key += blackKeys[p];
        } else if (colour == kWhite) {
            key += whiteKeys[p];
        }
    }
    return key;
}
