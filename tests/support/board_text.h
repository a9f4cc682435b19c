// Builds boards from text rows for tests: row y of the text is board row y
// (1 at the top), column x is character x. 'X' black, 'O' white, 'Z' ko mark,
// '#' an empty point with the outside mark, anything else empty. Rows not
// given stay empty.
#pragma once

#include <initializer_list>
#include <vector>
#include <string>

#include "position/board.h"

inline Board boardFromText(std::initializer_list<std::string> rows) {
    Board board;
    clearBoard(board);
    int32_t y = 1;
    for (const std::string& row : rows) {
        for (int32_t x = 1; x <= 19 && x <= static_cast<int32_t>(row.size()); ++x) {
            uint8_t cell = kEmpty;
            switch (row[x - 1]) {
                case 'X': cell = kBlack; break;
                case 'O': cell = kWhite; break;
                case 'Z': cell = kKoMark; break;
                case '#': cell = kOutsideMark; break;
                default: break;
            }
            board[pointAt(x, y)] = cell;
        }
        ++y;
    }
    return board;
}

// The top-left `columns` x `rows` corner of a board as text rows, in the
// alphabet of boardFromText. The points of `marks` show as '+', or, when
// `lettered`, as 'a', 'b', ... in list order (the order is then the point).
inline std::vector<std::string> boardPicture(const Board& board, const PointList& marks,
                                             int32_t columns, int32_t rows,
                                             bool lettered = false) {
    std::vector<std::string> picture;
    for (int32_t y = 1; y <= rows; ++y) {
        std::string row;
        for (int32_t x = 1; x <= columns; ++x) {
            const uint8_t cell = board[pointAt(x, y)];
            char c = '.';
            switch (colourOf(cell)) {
                case kBlack: c = 'X'; break;
                case kWhite: c = 'O'; break;
                default: c = (cell & kKoMark) ? 'Z' : (cell & kOutsideMark) ? '#' : '.'; break;
            }
            for (int32_t i = 0; i < kListSlots && marks[i] != 0; ++i) {
                if (marks[i] == pointAt(x, y)) {
                    c = lettered ? static_cast<char>(i < 26 ? 'a' + i : '*') : '+';
                }
            }
            row += c;
        }
        picture.push_back(row);
    }
    return picture;
}
