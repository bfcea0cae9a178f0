// well.cpp: the well on screen: background, sliding, falling and turning piece, settling rows.
#include "well.h"

#include <cmath>

#include "loop.h"
#include "sprites.h"

namespace {

constexpr int32_t HiddenRowsLift = 80; // rows 0 and 1 sit above the origin, off the top
constexpr int32_t BackgroundWidth = 180;
constexpr int32_t BackgroundHeight = 450;
constexpr int32_t BackgroundLeft = 5; // the background reaches this far left of the origin
constexpr int32_t BackgroundUp = 15;  // and this far above it
constexpr double Pi = 3.1415926535;   // the game's own value: turning pieces land where they did

void drawCell(int32_t sheetCell, int32_t x, int32_t y) {
    drawSprite(blockSheet, BlockSize * sheetCell, 0, BlockSize, BlockSize, screen, x, y);
}

// The falling piece is drawn one row up, lowered by its fall counter, so that it glides into its
// row as gravity builds up; turned back by turnAngle about the pivot while a turn plays.
void drawFallingPiece(const Player* player, int32_t x0, int32_t y0) {
    double angle = player->turnAngle * Pi / 180.0;
    double cosine = std::cos(angle);
    double sine = std::sin(angle);
    const CellOffset* cells = pieceShapes[player->piece];
    for (int i = 0; i < PieceCells && cells[i].dx != ShapeEnd; ++i) {
        CellOffset turned = rotateCell(cells[i].dx, cells[i].dy, player->pieceTurn);
        double column = turned.dx * cosine + turned.dy * sine + player->pieceColumn;
        double row = -turned.dx * sine + turned.dy * cosine + player->pieceRow;
        int32_t x = int32_t(column * 20.0 + (player->slideOffset / 10) + x0);
        int32_t y = int32_t(row * 20.0 + (player->fallCounter / 10) - 20.0 + (y0 - HiddenRowsLift));
        drawCell(player->piece + 1, x, y);
    }
    drawCell(PivotSprite, x0 + BlockSize * player->pieceColumn + player->slideOffset / 10,
             y0 - HiddenRowsLift + BlockSize * player->pieceRow + player->fallCounter / 10 -
                 BlockSize);
}

// Locked blocks last, so they cover a falling piece that overlaps them; settling rows are drawn
// above their place by their offset and drop into it.
void drawLockedBlocks(const Player* player, int32_t x0, int32_t y0) {
    for (int c = 0; c < BoardColumns; ++c) {
        for (int r = 0; r < BoardRows; ++r) {
            int32_t value = player->cells[c][r];
            if (value != EmptyCell)
                drawCell(value, x0 + BlockSize * c,
                         y0 - HiddenRowsLift + BlockSize * r + player->rowSettle[r].y / 10);
        }
    }
}

} // namespace

int32_t drawBoard(const Player* player, int32_t x0, int32_t y0) {
    drawSprite(player->characterBack, 0, 0, BackgroundWidth, BackgroundHeight, screen,
               x0 - BackgroundLeft, y0 - BackgroundUp);
    drawFallingPiece(player, x0, y0);
    drawLockedBlocks(player, x0, y0);
    return 0;
}
