// cones_main.cpp: Quandrel's entry in the browser: the game's own start-up, then the page's
// frames run the passes, since a page must not wait in a loop of its own.
#include "cones_frames.h"
#include "game.h"
#include "startup.h"

// The exit status is 1 whichever way the game ends, as natively.
int main(int, char**) {
    if (!loadSheets())
        return 1;
    Game* game = new Game; // kept for the life of the page
    game->newRound();
    runBrowserFrames(*game);
}
