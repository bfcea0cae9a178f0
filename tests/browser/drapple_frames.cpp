// drapple_frames.cpp: frames of the native Drapple at the start, for the browser tests to hold the
// page's canvas against: the title, and the first frame of a game chosen on it. Like the game it
// reads its pictures from its working directory; it runs on any SDL video and sound driver (the
// tests use the dummy ones).
//
// usage: drapple_frames SEED TITLE.bmp GAME.bmp
// SEED is the number the page's game seeded its random numbers with (the clock in seconds); the
// numbers themselves come from the browser's generator (browser_rand.cpp), so the pieces are the
// page's. The ticks are the page's too: two of the title (the first one loads it), one with Z held,
// which chooses the game, then two of the game (the first one loads it). Exit status 0 when both
// frames are written, 2 otherwise.
#include "input.h"
#include "loop.h"
#include "screen_file.h"

#include <cstdio>
#include <cstdlib>

namespace {

// One tick as the loop runs it, with `keys` held instead of what the devices report.
void tick(GameContext& context, const Uint8* keys) {
    context.players[0].input = mapControls(JoystickLevels{}, keys);
    context.players[1].input = mapControls(JoystickLevels{}, nullptr);
    currentScreen(&context);
    SDL_Flip(screen);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SEED TITLE.bmp GAME.bmp\n", argv[0]);
        return 2;
    }
    static GameContext context; // two player records: too big to keep on the stack
    startUp(&context);          // ends the process with its message if it cannot start
    std::srand(unsigned(std::strtoul(argv[1], nullptr, 10)));

    static Uint8 none[SDLK_LAST] = {};
    static Uint8 chooseKey[SDLK_LAST] = {};
    chooseKey[SDLK_z] = 1;
    tick(context, none);
    tick(context, none);
    if (!writeScreen(screen, argv[2]))
        return 2;
    tick(context, chooseKey);
    tick(context, none);
    tick(context, none);
    return writeScreen(screen, argv[3]) ? 0 : 2;
}
