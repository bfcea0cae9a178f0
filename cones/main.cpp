// main.cpp: Quandrel's entry: load the sheets, open the window, play rounds until asked to stop.
#include "game.h"
#include "loop.h"
#include "startup.h"

// The one game, kept for the life of the process and never released.
static Game* game = nullptr;

// The exit status is 1 whichever way the game ends.
int main(int, char**) {
    if (!loadSheets())
        return 1;
    game = new Game;
    game->newRound();
    runFrameLoop(*game, {SDL_GetTicks, restUntilInput});
    SDL_Quit();
    return 1;
}
