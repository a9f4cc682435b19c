// The board picture: everything the window shows about a problem is drawn into
// one off-screen image, which the window's paint handler copies in one block.
// The routines are called from the window's thread and from solve worker 0,
// so each one holds drawLock while it touches the image.
#pragma once

#include <cstdint>
#include <mutex>

#include <QColor>

#include "position/board.h"

class QImage;
class QWidget;

// Re-entrant: DrawBoard holds it while it calls the stone routines.
extern std::recursive_mutex drawLock;

// Colours of the picture.
inline const QColor kBlackColour{0, 0, 0};
inline const QColor kWhiteColour{255, 255, 255};
inline const QColor kWoodColour{224, 160, 64};
inline const QColor kRedColour{255, 0, 0};
inline const QColor kGreenColour{0, 255, 0};
inline const QColor kYellowColour{255, 255, 0};

// Cell geometry: the cell of column c, row r spans x = 24c + 16 .. 24c + 39 and
// y = 24r + 56 .. 24r + 79. Columns and rows 1..19 are board points, row and
// column 0 carry the coordinates, column 21 the set-up palette.
constexpr int32_t kCellSize = 24;
constexpr int32_t cellLeft(int32_t c) { return kCellSize * c + 16; }
constexpr int32_t cellTop(int32_t r) { return kCellSize * r + 56; }

// The text font: 12 pixels high, a half-width character 6 pixels wide and a
// full-width one 12.
constexpr int32_t kTextHeight = 12;
constexpr int32_t kHalfWidth = 6;
constexpr int32_t kFullWidth = 12;

// Lets "ＭＳ ゴシック" and "MS UI Gothic" be served by IPAGothic. Idempotent.
void InstallFontSubstitutions();

// The image the routines draw into and the window repainted after each figure.
// The image must outlive every drawing; both may be null (drawing is skipped).
void AttachPicture(QImage* picture, QWidget* window);

// Creates an image of the given size filled with white (the start-up state).
QImage MakePicture(int32_t width, int32_t height);

// Fills the whole picture with white (leaving the set-up mode).
void ClearPicture();

// The grid, the coordinates and the stones of a board, over the board square only.
void DrawBoard(const Board& board);
void DrawBlackStone(int32_t column, int32_t row);
void DrawWhiteStone(int32_t column, int32_t row);
void DrawRegionMark(int32_t column, int32_t row);
// The red dot of the target stone.
void DrawTargetMark(int32_t column, int32_t row);
// White text on wood: the label of a first move.
void DrawMoveLabel(int32_t column, int32_t row, const char* label);
// Black text on yellow at the cell's left edge.
void DrawPaletteLabel(int32_t column, int32_t row, const char* text);
// A black frame two pixels wide around that label when chosen, else white.
void DrawPaletteFrame(int32_t column, int32_t row, const char* text, bool chosen);
// Width in pixels of a text: 6 per half-width character, 12 per full-width one.
int32_t TextWidth(const char* text);

// Cuts a zero-terminated UTF-8 text to at most maxBytes bytes without
// splitting a character. Used for the status lines of the window.
void CutAtCharacter(char* text, int32_t maxBytes);
