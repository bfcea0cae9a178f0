// game.cpp: the rules of Quandrel: rounds, checking a guess, random guesses, and the buttons' data.
#include "game.h"

#include "startup.h"

#include <cstdio>
#include <cstdlib>

Uint32 (*readClock)() = SDL_GetTicks;

namespace {

// The eight buttons: source in guiSheet, target on screen, hit area on screen, and whether the
// pointer can act on it. Rectangles are (x, y, w, h).
struct ButtonLayout {
    SDL_Rect source;
    SDL_Rect target;
    SDL_Rect hitArea;
    bool enabled;
};

constexpr ButtonLayout buttonLayouts[] = {
    // source               target                 hitArea               enabled
    {{0, 0, 53, 22}, {687, 540, 55, 25}, {645, 535, 135, 30}, true},       // CheckButton
    {{0, 25, 125, 20}, {652, 20, 125, 20}, {645, 15, 135, 30}, true},      // NewGameButton
    {{0, 72, 50, 22}, {687, 60, 50, 25}, {645, 55, 135, 30}, true},        // QuitButton
    {{129, 28, 100, 22}, {350, 200, 100, 23}, {350, 200, 100, 23}, false}, // WonBanner
    {{0, 98, 215, 26}, {300, 250, 215, 23}, {300, 250, 215, 23}, false},   // EndPrompt
    {{0, 50, 46, 23}, {305, 300, 46, 23}, {300, 295, 55, 33}, true},       // AgainButton
    {{48, 50, 33, 23}, {470, 300, 33, 23}, {465, 295, 42, 33}, true},      // LeaveButton
    {{128, 0, 100, 23}, {350, 200, 100, 23}, {350, 200, 100, 23}, false},  // LostBanner
};
static_assert(sizeof buttonLayouts / sizeof buttonLayouts[0] == ButtonCount);

bool holds(const int32_t colours[], int count, int32_t colour) {
    for (int i = 0; i < count; ++i) {
        if (colours[i] == colour)
            return true;
    }
    return false;
}

} // namespace

void Row::clear() {
    for (int i = 0; i < SlotCount; ++i) {
        pegs[i] = NoColour;
        marks[i] = MarkNone;
    }
}

int Row::evaluate(const int32_t secret[SlotCount]) {
    if (holds(pegs, SlotCount, NoColour))
        return -1;
    int exact = 0;
    int near = 0;
    for (int i = 0; i < SlotCount; ++i) {
        for (int j = 0; j < SlotCount; ++j) {
            if (pegs[j] == secret[i]) {
                if (i == j)
                    ++exact;
                else
                    ++near;
                break;
            }
        }
    }
    for (int k = 0; k < SlotCount; ++k)
        marks[k] = k < near ? MarkColour : k < near + exact ? MarkExact : MarkNone;
    return exact == SlotCount ? 1 : 0;
}

void Button::setRects(SDL_Rect sourceRect, SDL_Rect targetRect, SDL_Rect hitRect) {
    source = sourceRect;
    target = targetRect;
    hitArea = hitRect;
}

// Both ends are inclusive: the reacting area is one pixel wider and taller than hitArea.
bool Button::contains(int x, int y) const {
    return enabled && hitArea.x <= x && x <= hitArea.x + hitArea.w && hitArea.y <= y &&
           y <= hitArea.y + hitArea.h;
}

Game::Game() {
    if (!startVideo()) {
        quitRequested = true;
        return;
    }
    setDefaults();
}

void Game::setDefaults() {
    outcome = Playing;
    mouseY = 0;
    mouseX = 0;
    heldColour = NoColour;
    for (int i = 0; i < ButtonCount; ++i) {
        const ButtonLayout& layout = buttonLayouts[i];
        buttons[i].setRects(layout.source, layout.target, layout.hitArea);
        buttons[i].setEnabled(layout.enabled);
    }
}

void Game::newRound() {
    SDL_WM_SetCaption("Quandrel", nullptr);
    for (Row& row : rows)
        row.clear();
    std::srand(readClock());
    for (int i = 0; i < SlotCount; ++i) {
        do
            secret[i] = std::rand() % ColourCount;
        while (holds(secret, i, secret[i]));
    }
    currentRow = 0;
    outcome = Playing;
    heldColour = NoColour;
    // The clock starts only once the secret is drawn.
    startTicks = readClock();
}

void formatTime(char* text, std::size_t size, uint32_t elapsed) {
    std::snprintf(text, size, "Your time:  %d : %d : %d", int(elapsed / 60000),
                  int(elapsed / 1000 % 60), int(elapsed % 1000 / 10));
}

void Game::checkRow() {
    if (outcome != Playing || currentRow >= RowCount)
        return;
    int result = rows[currentRow].evaluate(secret);
    if (result == 0)
        ++currentRow;
    if (result == 1) {
        // Unsigned subtraction stays right across a wrap of the 32-bit millisecond counter.
        uint32_t elapsed = readClock() - startTicks;
        char text[64];
        formatTime(text, sizeof text, elapsed);
        SDL_WM_SetCaption(text, nullptr);
        outcome = Won;
        heldColour = NoColour;
        ++currentRow;
    } else if (currentRow == RowCount) {
        outcome = Lost;
        heldColour = NoColour;
    }
}

// Each new colour differs from the new colours before it and from the old colours still in the
// row, so the row ends with four different colours; at most four of nine are ever excluded.
void Game::randomRow() {
    if (outcome != Playing || currentRow >= RowCount)
        return;
    Row& row = rows[currentRow];
    for (int i = 0; i < SlotCount; ++i) {
        int32_t colour;
        do
            colour = std::rand() % ColourCount;
        while (holds(row.pegs, SlotCount, colour));
        row.setPeg(i, colour);
    }
}
