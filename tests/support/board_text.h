// Builds boards from text rows for tests: row y of the text is board row y
// (1 at the top), column x is character x. 'X' black, 'O' white, 'Z' ko mark,
// '#' an empty point with the outside mark, anything else empty. Rows not
// given stay empty.
#pragma once

#include <initializer_list>
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
