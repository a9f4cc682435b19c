// The board layout shared by the whole program, and the rules of play.
//
// A board is 424 bytes. Point (x, y), x and y in 1..19, lives at index 20*y + x.
// Row 0, column 0 and row 20 are edge cells holding 3; the column-0 cell 20*y is
// at once the left edge of row y and the right edge of row y-1, so a row needs
// only 20 cells. The low three bits of a cell are the colour, the bits above are
// marks (ko, region, outside).
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

// ---------------------------------------------------------------------------
// Cells, colours and marks
// ---------------------------------------------------------------------------

constexpr int32_t kBoardCells = 424;
constexpr int32_t kFirstPoint = 21;   // (1, 1)
constexpr int32_t kLastPoint = 399;   // (19, 19)
constexpr int32_t kBoardSize = 19;

constexpr uint8_t kEmpty = 0;
constexpr uint8_t kBlack = 1;
constexpr uint8_t kWhite = 2;
constexpr uint8_t kEdge = 3;
constexpr uint8_t kColourMask = 7;
constexpr uint8_t kKoMark = 8;        // also the "Z" point of a problem file
constexpr uint8_t kRegionMark = 16;   // region point during set-up; taken stone during capture
constexpr uint8_t kOutsideMark = 64;  // open area / string touching it / visited

// Word-aligned so that whole-board copies and masked copies move 32-bit words.
struct alignas(16) Board {
    uint8_t cell[kBoardCells];

    uint8_t& operator[](int32_t p) { return cell[p]; }
    const uint8_t& operator[](int32_t p) const { return cell[p]; }
};

constexpr int32_t pointAt(int32_t x, int32_t y) { return 20 * y + x; }
constexpr int32_t pointX(int32_t p) { return p % 20; }
constexpr int32_t pointY(int32_t p) { return p / 20; }
constexpr bool isOnBoard(int32_t p) {
    return p >= kFirstPoint && p <= kLastPoint && p % 20 != 0;
}
inline uint8_t colourOf(uint8_t cell) { return cell & kColourMask; }

// Neighbour tables; their order fixes the order of every board walk.
constexpr std::array<int32_t, 4> orthogonalOffsets = {-20, -1, +1, +20};
constexpr std::array<int32_t, 4> diagonalOffsets = {-21, +19, -19, +21};
constexpr std::array<int32_t, 8> surroundOffsets = {-21, -20, -19, -1, +1, +19, +20, +21};

// ---------------------------------------------------------------------------
// Scanning eight cells at a time
// ---------------------------------------------------------------------------

// The points kFirstPoint..kLastPoint lie in the 8-cell words that start at
// kFirstScanWord, kFirstScanWord + 8, ... up to kLastPoint.
constexpr int32_t kFirstScanWord = kFirstPoint & ~7;

// Byte k of a word is cell start + k.
static_assert(std::endian::native == std::endian::little);

inline uint64_t loadWord(const Board& board, int32_t start) {
    uint64_t word;
    std::memcpy(&word, board.cell + start, 8);
    return word;
}

// 0x80 in every byte of word that equals value, 0 elsewhere (exact: no byte
// is reported that does not match).
inline uint64_t bytesEqual(uint64_t word, uint8_t value) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = word ^ (0x0101010101010101ull * value);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The bytes of the word starting at `start` that hold points of the board
// range, as 0x80 per byte.
inline uint64_t pointRangeBytes(int32_t start) {
    uint64_t mask = 0x8080808080808080ull;
    if (start < kFirstPoint) mask &= ~0ull << (8 * (kFirstPoint - start));
    if (start + 7 > kLastPoint) mask &= ~0ull >> (8 * (start + 7 - kLastPoint));
    return mask;
}

// Lowest reported byte of a mask as a cell offset 0..7.
inline int32_t lowestByte(uint64_t mask) { return std::countr_zero(mask) >> 3; }

// One bit per cell: cell p is bit p % 64 of word p / 64.
using CellBits = std::array<uint64_t, (kBoardCells + 63) / 64>;

// The points kFirstPoint..kLastPoint whose cell holds exactly `value`.
CellBits pointsHolding(const Board& board, uint8_t value);

// ---------------------------------------------------------------------------
// Point lists: 100 slots, ending at the first 0 (or after slot 100)
// ---------------------------------------------------------------------------

constexpr int32_t kListSlots = 100;

struct PointList {
    std::array<int32_t, kListSlots> p{};

    int32_t& operator[](int32_t i) { return p[i]; }
    const int32_t& operator[](int32_t i) const { return p[i]; }
};

void addPoint(PointList& list, int32_t point);
void removePoint(PointList& list, int32_t point);
int32_t listLength(const PointList& list);
bool listContains(const PointList& list, int32_t point);

// ---------------------------------------------------------------------------
// Per-worker scratch of the rules (one slot per worker index 0..15)
// ---------------------------------------------------------------------------

constexpr int32_t kMaxWorkers = 16;
constexpr int32_t kCaptureSlots = 400;

// One cache line apart per worker, since every move writes these.
struct alignas(64) RulesScratch {
    int32_t floodCount;
    int32_t koFlag;
    int32_t capturedByMove;
    int32_t capturedByString;
    int32_t captureRecord[kCaptureSlots];
};
extern RulesScratch rulesScratch[kMaxWorkers];

// ---------------------------------------------------------------------------
// Board utilities
// ---------------------------------------------------------------------------

// 1 <-> 2; anything else is a broken invariant ("macroinv error %d\n").
int32_t opponent(int32_t colour);

// Colour (1 or 2) of the stone at the target point, marks ignored; 0 when
// there is no stone there or the index lies outside the board array.
int32_t targetColour(const Board& board, int32_t target);

void clearBoard(Board& board);
void copyBoard(Board& destination, const Board& source);
void copyColours(Board& destination, const Board& source);          // mask 7
void copyWithKoMarks(Board& destination, const Board& source);      // mask 15
void copyWithoutKoMarks(Board& destination, const Board& source);   // mask 247

// The eight symmetries of the square: bit 2 flips y, bit 1 flips x, bit 0 swaps x and y.
void transformBoard(int32_t symmetry, Board& destination, const Board& source);
// Takes a point of the image back to the source board.
int32_t inversePoint(int32_t symmetry, int32_t imagePoint);

void markString(Board& board, int32_t p, int32_t s);
void markStringFrom(Board& board, int32_t p, int32_t s);
void markEmptyArea(int32_t w, Board& board, int32_t p);
void clearOutsideAtPoints(Board& board, const PointList& list);

// ---------------------------------------------------------------------------
// Rules of play
// ---------------------------------------------------------------------------

// 1 when the string through p has a liberty.
int32_t tumedame(const Board& board, int32_t p);
// The first stone, in point order, of a string with no liberty (a Z point
// counts as empty), or 0 when every string has one. Play never leaves such a
// string on the board; a problem that has one cannot be solved.
int32_t stoneWithoutLiberty(const Board& board);
// Removes the (libertyless) string through p and appends it to the capture record of w.
void tumetoru(int32_t w, Board& board, int32_t p);
// Plays s at p in place: captures, ko mark, outside marks kept. No legality test.
void playMove(int32_t w, Board& board, int32_t s, int32_t p);
// 1 when s may play at p (empty and not suicide). Ko marks are not looked at.
// Inline for the common case of an empty neighbour: the search asks this of
// every candidate and every answer it counts.
int32_t tumetst1Enclosed(const Board& board, int32_t s, int32_t p);
inline int32_t tumetst1(const Board& board, int32_t s, int32_t p) {
    if (static_cast<uint32_t>(p) <= 421u) {
        if (colourOf(board[p]) != kEmpty) {
            return 0;
        }
        for (const int32_t offset : orthogonalOffsets) {
            if (colourOf(board[p + offset]) == kEmpty) {
                return 1;
            }
        }
    }
    return tumetst1Enclosed(board, s, p);
}
// How many points of the list (up to its closing 0) s may play at, each as
// tumetst1 says; a string's liberties found for one point serve the others.
int32_t countLegalMoves(const Board& board, int32_t s, const PointList& list);
// The search's move: check, play, and derive the child's candidate lists.
void tume_iki_utu(int32_t w, Board& board, int32_t s, int32_t p, PointList& listA,
                  PointList& listB, const PointList& sourceA, const PointList& sourceB);
