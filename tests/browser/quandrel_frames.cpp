// quandrel_frames.cpp: a frame of the native Quandrel in a given state, for the browser tests to
// hold the page's canvas against. Like the game it reads gfx/ from its working directory; it runs
// on any SDL video driver (the tests use the dummy one).
//
// usage: quandrel_frames OUT.bmp                          the first frame of the game
//        quandrel_frames OUT.bmp X Y SECRET [ROW...]      the frame once the rows are checked
// SECRET and each ROW are four colours 0 to 8 ("0514"), rows bottom first; they are checked in
// order against the secret by the game's own rules, then the frame is drawn with the pointer at
// (X, Y). Exit status 0 when the frame is written, 2 on a usage or start-up error.
#include "game.h"
#include "screen_file.h"
#include "startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Four colour digits into `colours`; false for anything else.
bool readColours(const char* text, int32_t colours[SlotCount]) {
    if (std::strlen(text) != SlotCount)
        return false;
    for (int i = 0; i < SlotCount; ++i) {
        if (text[i] < '0' || text[i] >= '0' + ColourCount)
            return false;
        colours[i] = text[i] - '0';
    }
    return true;
}

// The round the page played: its secret, then each row placed and checked as a player would.
bool replayRound(Game& game, int argc, char** argv) {
    game.mouseX = std::atoi(argv[2]);
    game.mouseY = std::atoi(argv[3]);
    if (!readColours(argv[4], game.secret))
        return false;
    for (int i = 5; i < argc; ++i) {
        if (game.outcome != Playing || !readColours(argv[i], game.rows[game.currentRow].pegs))
            return false;
        game.checkRow();
    }
    return true;
}

int usage(const char* program) {
    std::fprintf(stderr, "usage: %s OUT.bmp [X Y SECRET [ROW...]]\n", program);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc < 5)
        return usage(argv[0]);
    if (!loadSheets())
        return 2;
    static Game game; // brings the video up
    if (quitRequested)
        return 2;
    game.newRound();
    if (argc > 2 && !replayRound(game, argc, argv))
        return usage(argv[0]);
    game.draw();
    return writeScreen(screen, argv[1]) ? 0 : 2;
}
