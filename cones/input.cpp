// input.cpp: turns mouse and key events into moves of the game.
#include "game.h"

namespace {

// The palette column: each colour owns a band 60 pixels high, gap included.
constexpr int PaletteLeft = 100, PaletteRight = 135, PaletteTop = 45, PaletteBottom = 584;
constexpr int PaletteBand = 60;

// The current row's band: slots 45 pixels apart from x 320; rows 60 pixels apart upwards from 550.
constexpr int RowLeft = 320, RowRight = 535, RowTop = 550, RowDepth = 35;
constexpr int SlotPitch = 45, RowPitch = 60;

// The random-row marker as the release sees it, relative to the current row's top.
constexpr int MarkerLeft = 521, MarkerRight = 551, MarkerTop = 1, MarkerDepth = 30;

bool between(int low, int value, int high) {
    return low <= value && value <= high;
}

} // namespace

int Game::handleEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN:
            switch (event.key.keysym.sym) {
            case SDLK_ESCAPE:
                // Leave at once: whatever is still queued stays unhandled.
                return -1;
            case SDLK_n:
                newRound();
                break;
            case SDLK_r:
                if (outcome == Playing)
                    randomRow();
                break;
            case SDLK_RETURN:
                if (outcome == Playing)
                    checkRow();
                break;
            default:
                break;
            }
            break;
        case SDL_MOUSEMOTION:
            onMotion(event);
            break;
        case SDL_MOUSEBUTTONDOWN:
            onPress(event);
            break;
        case SDL_MOUSEBUTTONUP:
            onRelease(event);
            break;
        default:
            // Key releases, window-close requests and window events do nothing.
            break;
        }
    }
    return 0;
}

void Game::onMotion(const SDL_Event& event) {
    mouseX = event.motion.x;
    mouseY = event.motion.y;
}

// A press picks a colour from the palette, or puts the held one into a slot of the current row
// (nothing held: empties the slot); anywhere else it drops the held colour.
void Game::onPress(const SDL_Event& event) {
    if (outcome != Playing)
        return;
    int x = event.button.x;
    int y = event.button.y;
    if (between(PaletteLeft, x, PaletteRight) && between(PaletteTop, y, PaletteBottom)) {
        heldColour = (y - PaletteTop) / PaletteBand;
        return;
    }
    int rowTop = RowTop - RowPitch * currentRow;
    if (currentRow < RowCount && between(RowLeft, x, RowRight) &&
        between(rowTop, y, rowTop + RowDepth)) {
        Row& row = rows[currentRow];
        for (int s = 0; s < SlotCount; ++s) {
            if (row.peg(s) == heldColour)
                row.setPeg(s, NoColour);
        }
        int slot = (x - RowLeft) / SlotPitch;
        if (slot < SlotCount)
            row.setPeg(slot, heldColour);
    }
    heldColour = NoColour;
}

// A release acts where the pointer was last seen moving, not where the release says.
void Game::onRelease(const SDL_Event&) {
    if (outcome != Playing) {
        if (buttons[AgainButton].contains(mouseX, mouseY))
            newRound();
        if (buttons[LeaveButton].contains(mouseX, mouseY))
            quitRequested = true;
        return;
    }
    if (buttons[CheckButton].contains(mouseX, mouseY))
        checkRow();
    if (buttons[NewGameButton].contains(mouseX, mouseY))
        newRound();
    if (buttons[QuitButton].contains(mouseX, mouseY))
        quitRequested = true;
    int markerTop = RowTop - RowPitch * currentRow + MarkerTop;
    if (between(MarkerLeft, mouseX, MarkerRight) &&
        between(markerTop, mouseY, markerTop + MarkerDepth))
        randomRow();
}
