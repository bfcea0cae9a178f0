// cones_bench.cpp: what one Quandrel frame costs on the 800 x 600 x 16 screen with the real
// sheets, beside the cheapest frame the screen allows: one fill and one flip.
#include "game.h"
#include "startup.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

Game* game = nullptr;

// A round as it stands at the start: empty board, pointer at (0, 0), nothing in hand.
void startOfRound() {
    game->newRound();
    game->mouseX = 0;
    game->mouseY = 0;
}

// All ten rows checked without a win, then a cone picked from the palette and carried over the
// board: the fullest picture the game draws (secret shown, every mark set, the end panel).
void lostWithColourHeld() {
    game->newRound();
    const int32_t secret[SlotCount] = {8, 7, 6, 5};
    for (int k = 0; k < SlotCount; ++k)
        game->secret[k] = secret[k];
    for (int r = 0; r < RowCount; ++r) {
        for (int s = 0; s < SlotCount; ++s)
            game->rows[r].setPeg(s, (r + s) % ColourCount);
        game->checkRow();
    }
    game->heldColour = 3;
    game->mouseX = 420;
    game->mouseY = 310;
}

// Playing, with the pointer on the Check button: its blue frame is filled under the picture.
void pointerOnHoverFrame() {
    game->newRound();
    game->mouseX = 700;
    game->mouseY = 545;
}

void frame(benchmark::State& state, void (*arrange)()) {
    arrange();
    for (auto _ : state)
        game->draw();
}

void fillAndFlip(benchmark::State& state) {
    for (auto _ : state) {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        SDL_Flip(screen);
    }
}

BENCHMARK(fillAndFlip)->Name("cones/floor_fill_flip");
BENCHMARK_CAPTURE(frame, start_of_round, startOfRound)->Name("cones/frame_start_of_round");
BENCHMARK_CAPTURE(frame, lost_colour_held, lostWithColourHeld)->Name("cones/frame_lost_held");
BENCHMARK_CAPTURE(frame, hover_frame, pointerOnHoverFrame)->Name("cones/frame_hover_frame");

} // namespace

// The game reads its sheets from its working folder, as the real program does.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (chdir(CONES_DIR) != 0 || !loadSheets())
        return 1;
    game = new Game;
    if (quitRequested)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
