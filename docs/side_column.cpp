// side_column.cpp: plays Drapple's game screen headless up to a four-row clear, with a full chain
// gauge and a tall garbage stack beside the well, and saves that screen as a BMP. Run from the
// folder that holds the game's pictures; docs/side_column.sh builds and runs it.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "loop.h"
#include "rules.h"
#include "screens.h"
#include "sprites.h"

namespace {

constexpr int BarPiece = 6;        // the straight piece, rows -2 to +1 about its pivot
constexpr int HoleColumn = 6;      // where the bar goes down
constexpr int PendingRows = 7;     // garbage waiting beside the well
constexpr int TicksAfterClear = 4; // the popups are up, the debris has just taken off
constexpr int MostDropTicks = 100; // the soft drop needs about 15

// The well before the bar drops: four rows full but for the bar's hole, two of them garbage, and a
// few blocks above. A row a string, top to bottom; a digit is a piece cell, 'g' garbage, '.' empty.
constexpr const char* wellRows[] = {
    "1.......", // row 17
    "11..3...", // row 18
    "21.333.5", // row 19
    "224477.8", // row 20
    "524471.8", // row 21
    "gggggg.g", // row 22
    "gggggg.g", // row 23
};
constexpr int FirstRow = BoardRows - int(sizeof(wellRows) / sizeof(wellRows[0]));

int cellValue(char cell) {
    if (cell == '.')
        return EmptyCell;
    return cell == 'g' ? GarbageCell : cell - '0';
}

void fillWell(Player* player) {
    for (int r = FirstRow; r < BoardRows; ++r)
        for (int c = 0; c < BoardColumns; ++c)
            player->cells[c][r] = cellValue(wellRows[r - FirstRow][c]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: side_column OUT.bmp\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return 1;
    screen = SDL_SetVideoMode(640, 480, 32, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_FULLSCREEN);
    digitSheet = loadKeyedImage("num.bmp");
    if (!screen || !digitSheet) {
        std::fprintf(stderr, "side_column: no display or no num.bmp: %s\n", SDL_GetError());
        return 1;
    }
    std::srand(7);
    static GameContext context{};
    gameScreen(&context); // loads the pictures and deals the first piece
    Player* player = &context.players[0];
    fillWell(player);
    player->piece = BarPiece;
    player->pieceColumn = HoleColumn;
    player->pieceRow = 16; // straight above the hole
    player->garbagePending = PendingRows;
    player->score = 2468;
    // Down held: the bar drops into the hole, locks and clears four rows in one go.
    player->input.down = 1;
    for (int i = 0; i < MostDropTicks && player->clearPhase == PhasePlay; ++i)
        gameScreen(&context);
    if (player->clearPhase == PhasePlay) {
        std::fprintf(stderr, "side_column: the bar never landed\n");
        return 1;
    }
    for (int i = 0; i < TicksAfterClear; ++i)
        gameScreen(&context);
    if (SDL_SaveBMP(screen, argv[1]) != 0)
        return 1;
    SDL_Quit();
    return 0;
}
