// Board diagrams for tests: boards in as text rows, boards out as pictures.
//
// One alphabet for both directions: 'X' black, 'O' white, 'x' / 'o' a stone
// with the outside mark, 'Z' a ko mark, '#' an empty point with the outside
// mark, '+' a region point, '.' (or anything else) an empty point. Row 1 of a
// diagram is board row `top`, character 1 of a row is column `left`.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "position/board.h"

// Where a diagram lies on the board and what its blanks stand for.
struct DiagramPlace {
    int32_t left = 1;          // board column of each row's first character
    int32_t top = 1;           // board row of the first row
    uint8_t unnamed = kEmpty;  // every point the text does not reach
    uint8_t plus = kEmpty;     // the cell a '+' leaves: plain empty, or kRegionMark
};

struct Diagram {
    Board board;
    PointList plusPoints;  // the '+' points, in reading order
};

inline Diagram readDiagram(const std::vector<std::string>& rows, const DiagramPlace& place = {}) {
    Diagram diagram{};
    clearBoard(diagram.board);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p)
        if (isOnBoard(p)) diagram.board[p] = place.unnamed;
    for (int32_t row = 0; row < static_cast<int32_t>(rows.size()); ++row) {
        const int32_t y = place.top + row;
        for (int32_t column = 0; column < static_cast<int32_t>(rows[row].size()); ++column) {
            const int32_t x = place.left + column;
            if (x < 1 || x > kBoardSize || y < 1 || y > kBoardSize) continue;
            uint8_t cell = kEmpty;
            switch (rows[row][column]) {
                case 'X': cell = kBlack; break;
                case 'O': cell = kWhite; break;
                case 'x': cell = kBlack | kOutsideMark; break;
                case 'o': cell = kWhite | kOutsideMark; break;
                case 'Z': cell = kKoMark; break;
                case '#': cell = kOutsideMark; break;
                case '+':
                    cell = place.plus;
                    addPoint(diagram.plusPoints, pointAt(x, y));
                    break;
                default: break;
            }
            diagram.board[pointAt(x, y)] = cell;
        }
    }
    return diagram;
}

inline Board boardFromText(const std::vector<std::string>& rows, const DiagramPlace& place = {}) {
    return readDiagram(rows, place).board;
}

// A rectangle of the board to draw.
struct BoardWindow {
    int32_t left = 1;
    int32_t top = 1;
    int32_t columns = kBoardSize;
    int32_t rows = kBoardSize;
};

// The window of the board as text rows. The points of `marks` show as '+', or,
// when `lettered`, as 'a', 'b', ... in list order (the order is then the
// point). Marks beyond the window follow in one more row, "beyond: a(12,4)
// ...", so that a picture always shows the whole list.
inline std::vector<std::string> boardPicture(const Board& board, const PointList& marks,
                                             const BoardWindow& window, bool lettered = false) {
    auto markChar = [&](int32_t i) {
        return lettered ? static_cast<char>(i < 26 ? 'a' + i : '*') : '+';
    };
    std::vector<std::string> picture;
    for (int32_t y = window.top; y < window.top + window.rows; ++y) {
        std::string row;
        for (int32_t x = window.left; x < window.left + window.columns; ++x) {
            const uint8_t cell = board[pointAt(x, y)];
            const bool outside = (cell & kOutsideMark) != 0;
            char c = '.';
            switch (colourOf(cell)) {
                case kBlack: c = outside ? 'x' : 'X'; break;
                case kWhite: c = outside ? 'o' : 'O'; break;
                default:
                    c = (cell & kKoMark) ? 'Z' : outside ? '#' : (cell & kRegionMark) ? '+' : '.';
                    break;
            }
            for (int32_t i = 0; i < kListSlots && marks[i] != 0; ++i)
                if (marks[i] == pointAt(x, y)) c = markChar(i);
            row += c;
        }
        picture.push_back(row);
    }
    std::string beyond;
    for (int32_t i = 0; i < kListSlots && marks[i] != 0; ++i) {
        const int32_t x = pointX(marks[i]);
        const int32_t y = pointY(marks[i]);
        if (x >= window.left && x < window.left + window.columns && y >= window.top &&
            y < window.top + window.rows)
            continue;
        beyond += std::string(beyond.empty() ? "beyond: " : " ") + markChar(i) + "(" +
                  std::to_string(x) + "," + std::to_string(y) + ")";
    }
    if (!beyond.empty()) picture.push_back(beyond);
    return picture;
}

// The top-left `columns` x `rows` corner of the board.
inline std::vector<std::string> boardPicture(const Board& board, const PointList& marks,
                                             int32_t columns, int32_t rows,
                                             bool lettered = false) {
    return boardPicture(board, marks, BoardWindow{1, 1, columns, rows}, lettered);
}

// The window a diagram covers: its rows, as wide as its longest row.
inline BoardWindow diagramWindow(const std::vector<std::string>& rows, const DiagramPlace& place = {}) {
    int32_t columns = 0;
    for (const std::string& row : rows) columns = std::max(columns, static_cast<int32_t>(row.size()));
    return BoardWindow{place.left, place.top, columns, static_cast<int32_t>(rows.size())};
}
