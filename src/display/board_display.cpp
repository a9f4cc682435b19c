#include "display/board_display.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QThread>
#include <QWidget>

#include "position/board.h"

std::recursive_mutex drawLock;

namespace {

// Guarded by drawLock.
QImage* picture = nullptr;
QWidget* pictureWindow = nullptr;
QFont* pictureFont = nullptr;

constexpr std::array<int32_t, 3> kStarLines = {4, 10, 16};

// A box of pixels, right and bottom edges excluded.
struct Box {
    int32_t left, top, right, bottom;
};

void FillBox(QImage& image, Box box, const QColor& colour) {
    const QRgb rgb = colour.rgb();
    const int32_t left = std::max(box.left, 0);
    const int32_t right = std::min<int32_t>(box.right, image.width());
    const int32_t top = std::max(box.top, 0);
    const int32_t bottom = std::min<int32_t>(box.bottom, image.height());
    for (int32_t y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + left, line + std::max(left, right), rgb);
    }
}

bool InsideEllipse(Box box, int32_t x, int32_t y) {
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) {
        return false;
    }
    // Pixel centres against the ellipse inscribed in the box.
    const double a = (box.right - box.left) / 2.0;
    const double b = (box.bottom - box.top) / 2.0;
    const double dx = (x + 0.5 - box.left - a) / a;
    const double dy = (y + 0.5 - box.top - b) / b;
    return dx * dx + dy * dy <= 1.0;
}

// A filled ellipse inside the box with a 1-pixel outline.
void DrawEllipse(QImage& image, Box box, const QColor& outline, const QColor& fill) {
    const QRgb outlineRgb = outline.rgb();
    const QRgb fillRgb = fill.rgb();
    for (int32_t y = std::max(box.top, 0); y < std::min<int32_t>(box.bottom, image.height()); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = std::max(box.left, 0); x < std::min<int32_t>(box.right, image.width()); ++x) {
            if (!InsideEllipse(box, x, y)) {
                continue;
            }
            const bool edge = !InsideEllipse(box, x - 1, y) || !InsideEllipse(box, x + 1, y) ||
                              !InsideEllipse(box, x, y - 1) || !InsideEllipse(box, x, y + 1);
            line[x] = edge ? outlineRgb : fillRgb;
        }
    }
}

// Lines leave out their end point, as a pen moved from one point to another does.
void VerticalLine(QImage& image, int32_t x, int32_t y0, int32_t y1, const QColor& colour) {
    FillBox(image, {x, y0, x + 1, y1}, colour);
}

void HorizontalLine(QImage& image, int32_t y, int32_t x0, int32_t x1, const QColor& colour) {
    FillBox(image, {x0, y, x1, y + 1}, colour);
}

bool IsHalfWidth(char16_t c) {
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
}

// Each character gets its own box (6 or 12 pixels wide, 12 high) filled with
// the background, and its glyph is clipped to that box, so the picture does not
// depend on the font's own advances.
void DrawTextAt(QImage& image, int32_t x, int32_t y, const char* text, const QColor& ink,
                const QColor& background) {
    if (text == nullptr || pictureFont == nullptr) {
        return;
    }
    const QString string = QString::fromUtf8(text);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(*pictureFont);
    painter.setPen(ink);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(*pictureFont);
    const int32_t baseline = y + std::min(metrics.ascent(), kTextHeight - 1);
    for (const QChar c : string) {
        const int32_t width = IsHalfWidth(c.unicode()) ? kHalfWidth : kFullWidth;
        const QRect cell(x, y, width, kTextHeight);
        painter.fillRect(cell, background);
        painter.setClipRect(cell);
        painter.drawText(QPoint(x, baseline), QString(c));
        painter.setClipping(false);
        x += width;
    }
}

// Repaints the window after a figure; from a worker the request is queued.
void Invalidate() {
    QWidget* window = pictureWindow;
    if (window == nullptr) {
        return;
    }
    if (QThread::currentThread() == window->thread()) {
        window->update();
    } else {
        QMetaObject::invokeMethod(window, [window] { window->update(); }, Qt::QueuedConnection);
    }
}

Box CellBox(int32_t c, int32_t r) {
    return {cellLeft(c), cellTop(r), cellLeft(c) + kCellSize, cellTop(r) + kCellSize};
}

Box CentreDot(int32_t c, int32_t r) {
    return {kCellSize * c + 24, kCellSize * r + 64, kCellSize * c + 33, kCellSize * r + 73};
}

}  // namespace

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAGothic"));
}

void AttachPicture(QImage* image, QWidget* window) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    picture = image;
    pictureWindow = window;
    if (pictureFont == nullptr) {
        InstallFontSubstitutions();
        // Never released: worker 0 may draw until the process ends.
        pictureFont = new QFont(QStringLiteral("ＭＳ ゴシック"));
        pictureFont->setPixelSize(kTextHeight);
        pictureFont->setFixedPitch(true);
        pictureFont->setStyleHint(QFont::TypeWriter);
        pictureFont->setStyleStrategy(QFont::NoAntialias);
        pictureFont->setHintingPreference(QFont::PreferFullHinting);
    }
}

QImage MakePicture(int32_t width, int32_t height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWhiteColour);
    return image;
}

void ClearPicture() {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture != nullptr) {
        picture->fill(kWhiteColour);
        Invalidate();
    }
}

void DrawBlackStone(int32_t column, int32_t row) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    DrawEllipse(*picture, CellBox(column, row), kBlackColour, kBlackColour);
    Invalidate();
}

void DrawWhiteStone(int32_t column, int32_t row) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    DrawEllipse(*picture, CellBox(column, row), kBlackColour, kWhiteColour);
    Invalidate();
}

void DrawTargetMark(int32_t column, int32_t row) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    DrawEllipse(*picture, CentreDot(column, row), kRedColour, kRedColour);
    Invalidate();
}

void DrawRegionMark(int32_t column, int32_t row) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    DrawEllipse(*picture, CentreDot(column, row), kGreenColour, kGreenColour);
    Invalidate();
}

void DrawPaletteLabel(int32_t column, int32_t row, const char* text) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    DrawTextAt(*picture, cellLeft(column), kCellSize * row + 62, text, kBlackColour, kYellowColour);
    Invalidate();
}

int32_t TextWidth(const char* text) {
    int32_t width = 0;
    for (const QChar c : QString::fromUtf8(text ? text : "")) {
        width += IsHalfWidth(c.unicode()) ? kHalfWidth : kFullWidth;
    }
    return width;
}

void DrawPaletteFrame(int32_t column, int32_t row, const char* text, bool chosen) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    const QColor& colour = chosen ? kBlackColour : kWhiteColour;
    const int32_t left = cellLeft(column) - 3;
    const int32_t top = kCellSize * row + 59;
    const int32_t right = cellLeft(column) + TextWidth(text) + 3;
    const int32_t bottom = top + kTextHeight + 6;
    FillBox(*picture, {left, top, right, top + 2}, colour);
    FillBox(*picture, {left, bottom - 2, right, bottom}, colour);
    FillBox(*picture, {left, top, left + 2, bottom}, colour);
    FillBox(*picture, {right - 2, top, right, bottom}, colour);
    Invalidate();
}

void DrawMoveLabel(int32_t column, int32_t row, const char* label) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    DrawTextAt(*picture, kCellSize * column + 22, kCellSize * row + 62, label, kWhiteColour,
               kWoodColour);
    Invalidate();
}

void DrawBoard(const Board& board) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    if (picture == nullptr) {
        return;
    }
    QImage& image = *picture;
    FillBox(image, {40, 80, 496, 536}, kWoodColour);
    for (int32_t k = 0; k < kBoardSize; ++k) {
        VerticalLine(image, 52 + kCellSize * k, 92, 524, kBlackColour);
    }
    for (int32_t k = 0; k < kBoardSize; ++k) {
        HorizontalLine(image, 92 + kCellSize * k, 52, 484, kBlackColour);
    }
    for (const int32_t c : kStarLines) {
        for (const int32_t r : kStarLines) {
            DrawEllipse(image, {kCellSize * c + 25, kCellSize * r + 65, kCellSize * c + 32,
                                kCellSize * r + 72},
                        kBlackColour, kBlackColour);
        }
    }
    for (int32_t r = 1; r <= kBoardSize; ++r) {
        for (int32_t c = 1; c <= kBoardSize; ++c) {
            const uint8_t colour = colourOf(board[pointAt(c, r)]);
            if (colour == kBlack) {
                DrawBlackStone(c, r);
            } else if (colour == kWhite) {
                DrawWhiteStone(c, r);
            }
        }
    }
    char number[8];
    for (int32_t n = 1; n <= kBoardSize; ++n) {
        std::snprintf(number, sizeof number, "%d", static_cast<int>(n));
        DrawTextAt(image, kCellSize * n + (n < 10 ? 25 : 22), 62, number, kBlackColour,
                   kWhiteColour);
    }
    for (int32_t n = 1; n <= kBoardSize; ++n) {
        std::snprintf(number, sizeof number, "%2d", static_cast<int>(n));
        DrawTextAt(image, 20, kCellSize * n + 62, number, kBlackColour, kWhiteColour);
    }
    Invalidate();
}

void CutAtCharacter(char* text, int32_t maxBytes) {
    int32_t length = 0;
    while (length <= maxBytes && text[length] != '\0') {
        ++length;
    }
    if (length <= maxBytes) {
        return;
    }
    int32_t cut = maxBytes;
    // Step back over continuation bytes to the start of the character that
    // would be split.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    text[cut] = '\0';
}
