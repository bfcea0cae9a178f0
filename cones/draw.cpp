// draw.cpp: builds each frame of Quandrel from the two sheets and presents it.
#include "game.h"

namespace {

// Cells of the cone sheet, all in its top band.
constexpr int CellSize = 32;      // slots, cones, ring and marker are square
constexpr int ConeCellPitch = 32; // cone c at x = 32 (c + 1); an empty slot (-1) lands on x = 0
constexpr int MarkCellLeft = 324; // mark m at x = 324 + 10 m
constexpr int MarkSize = 10;
constexpr int RingCellLeft = 360;
constexpr int MarkerCellLeft = 392;

// Screen layout, pixels.
constexpr int PaletteX = 100, PaletteY = 45, PalettePitch = 60;
constexpr int BoardX = 320, BoardY = 550, SlotPitch = 45, RowPitch = 60;
constexpr int MarksX = 250, MarksY = 555, MarkLowerRow = 15;
constexpr int MarkerX = 520;
constexpr int SecretX = 600, SecretY = 290;

// Where the pointer rings a palette cone or a slot of the current row: left and top bounds
// exclusive, right bounds and the palette's bottom inclusive.
constexpr int PaletteRingLeft = 100, PaletteRingRight = 134, PaletteRingTop = 45;
constexpr int PaletteRingBottom = 584;
constexpr int SlotRingLeft = 320, SlotRingRight = 486, SlotRingDepth = 32;

constexpr Uint8 FrameBlue[3] = {0, 0, 255};

void blitCell(int cellX, int size, int x, int y) {
    SDL_Rect cell = {Sint16(cellX), 0, Uint16(size), Uint16(size)};
    SDL_Rect place = {Sint16(x), Sint16(y), 0, 0};
    SDL_UpperBlit(conesSheet, &cell, screen, &place);
}

// A cone of colour 0 to 8, or the empty slot for NoColour.
void drawCone(int32_t colour, int x, int y) {
    blitCell(ConeCellPitch * (colour + 1), CellSize, x, y);
}

void drawRing(int x, int y) {
    blitCell(RingCellLeft, CellSize, x, y);
}

void fill(SDL_Rect area, Uint8 r, Uint8 g, Uint8 b) {
    SDL_FillRect(screen, &area, SDL_MapRGB(screen->format, r, g, b));
}

int rowTop(int row) {
    return BoardY - RowPitch * row;
}

} // namespace

void Button::draw() const {
    SDL_Rect from = source;
    SDL_Rect to = target;
    SDL_UpperBlit(guiSheet, &from, screen, &to);
}

// A one-pixel blue border around a black box, under the button's picture.
void Button::drawHoverFrame() const {
    fill(hitArea, FrameBlue[0], FrameBlue[1], FrameBlue[2]);
    SDL_Rect inside = {Sint16(hitArea.x + 1), Sint16(hitArea.y + 1), Uint16(hitArea.w - 2),
                       Uint16(hitArea.h - 2)};
    fill(inside, 0, 0, 0);
}

void Game::draw() {
    fill(SDL_Rect{0, 0, 800, 600}, 0, 0, 0);
    drawBoard();
    drawRandomMarker();
    drawSecret();
    drawPalette();
    drawHoverRing();
    drawMarks();
    drawButtons(CheckButton, QuitButton);
    drawHeldColour();
    drawEndPanel();
    SDL_Flip(screen);
}

void Game::drawBoard() {
    for (int r = 0; r < RowCount; ++r) {
        for (int s = 0; s < SlotCount; ++s)
            drawCone(rows[r].peg(s), BoardX + SlotPitch * s, rowTop(r));
    }
}

// Above the screen once every row is used; the blit clips it away.
void Game::drawRandomMarker() {
    int y = rowTop(currentRow);
    blitCell(MarkerCellLeft, CellSize, MarkerX, y);
    if (MarkerX <= mouseX && mouseX <= MarkerX + CellSize && y <= mouseY && mouseY <= y + CellSize)
        drawRing(MarkerX, y);
}

void Game::drawSecret() {
    if (outcome != Lost)
        return;
    for (int k = 0; k < SlotCount; ++k)
        drawCone(secret[k], SecretX + SlotPitch * k, SecretY);
}

void Game::drawPalette() {
    for (int c = 0; c < ColourCount; ++c)
        drawCone(c, PaletteX, PaletteY + PalettePitch * c);
}

// Each palette cone owns a band 60 pixels high and each slot one 45 pixels wide, gaps included.
void Game::drawHoverRing() {
    if (PaletteRingLeft < mouseX && mouseX <= PaletteRingRight && PaletteRingTop < mouseY &&
        mouseY <= PaletteRingBottom) {
        drawRing(PaletteX, PaletteY + PalettePitch * ((mouseY - PaletteY) / PalettePitch));
        return;
    }
    int top = rowTop(currentRow);
    if (SlotRingLeft < mouseX && mouseX <= SlotRingRight && top < mouseY &&
        mouseY < top + SlotRingDepth)
        drawRing(BoardX - 1 + SlotPitch * ((mouseX - BoardX) / SlotPitch), top);
}

// Only checked rows show their marks; the rest show empty marks.
void Game::drawMarks() {
    for (int r = 0; r < RowCount; ++r) {
        for (int k = 0; k < SlotCount; ++k) {
            int32_t m = r < currentRow ? rows[r].mark(k) : MarkNone;
            int x = MarksX + MarkSize * (k % 2);
            int y = MarksY - RowPitch * r + (k >= 2 ? MarkLowerRow : 0);
            blitCell(MarkCellLeft + MarkSize * m, MarkSize, x, y);
        }
    }
}

void Game::drawButtons(int first, int last) {
    for (int i = first; i <= last; ++i) {
        if (buttons[i].contains(mouseX, mouseY))
            buttons[i].drawHoverFrame();
        buttons[i].draw();
    }
}

// The cone's corner, not its centre, sits at the pointer.
void Game::drawHeldColour() {
    if (heldColour != NoColour)
        drawCone(heldColour, mouseX, mouseY);
}

void Game::drawEndPanel() {
    if (outcome == Playing)
        return;
    buttons[outcome == Won ? WonBanner : LostBanner].draw();
    drawButtons(EndPrompt, LeaveButton);
}
