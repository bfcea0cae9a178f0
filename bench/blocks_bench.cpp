// blocks_bench.cpp: what a Drapple tick costs on the 640 x 480 x 32 screen with the real
// pictures: a busy tick of the game screen, the loading tick of each screen, and beside them the
// cheapest tick the screen allows: one fill and one flip.
#include "loop.h"
#include "rules.h"
#include "screens.h"
#include "sprites.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <unistd.h>

namespace {

GameContext context;
Player busy; // the busy state every timed tick starts from

// The fullest playing field: every row below the top zone holds locked blocks (one gap each, as
// a player's well does), every row is settling into place after a chain, all debris and popup
// slots are live, the garbage column is stacked and the chain gauge is full.
void arrangeBusyPlayer(Player* player) {
    for (int c = 0; c < BoardColumns; ++c)
        for (int r = TopZoneRows; r < BoardRows; ++r)
            player->cells[c][r] = c == r % BoardColumns ? EmptyCell : 1 + (c + r) % GarbageCell;
    player->clearPhase = PhaseSettling;
    for (int r = 0; r < BoardRows; ++r)
        player->rowSettle[r] = Particle{0, -CellSize * (1 + r % 4), 0, 0, 1};
    for (int i = 0; i < ParticleCount; ++i)
        player->particles[i] = Particle{CellSize * (i % BoardColumns), 100 * (i % 40),
                                        2 * (i % 9) - 8, -10 * (i % 12), 1 + i % GarbageCell};
    for (int i = 0; i < PopupCount; ++i)
        player->popups[i] = Particle{i, CellSize * (4 + 2 * i), 0, 0, 1 << i};
    player->garbagePending = 10;
    player->chainTimer = 180;
    player->chainValue = 64;
    player->score = 123456789;
    player->turnAngle = -42; // a turn in play: the falling piece is drawn at an angle
    player->turnSpeed = 6;
}

void startGameScreen() {
    currentScreen = gameScreen;
    gameLoaded = 0;
    gameScreen(&context); // the loading tick
    arrangeBusyPlayer(&context.players[0]);
    busy = context.players[0];
}

// Every iteration starts again from the same busy state, so each one times the same tick; the
// copy back (about 7 KB) is inside the timing and costs well under a microsecond.
void busyGameTick(benchmark::State& state) {
    startGameScreen();
    for (auto _ : state) {
        context.players[0] = busy;
        gameScreen(&context);
        SDL_Flip(screen);
    }
    benchmark::DoNotOptimize(context.players[0].score);
}

void fillAndFlip(benchmark::State& state) {
    for (auto _ : state) {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        SDL_Flip(screen);
    }
}

// The first tick of a screen, which loads its pictures, and its flip; what it loaded is freed
// untimed.
void titleLoadingTick(benchmark::State& state) {
    for (auto _ : state) {
        titleScreen(&context);
        SDL_Flip(screen);
        state.PauseTiming();
        freeImage(&backImage);
        freeImage(&cursorImage);
        titleLoaded = 0;
        state.ResumeTiming();
    }
}

void gameLoadingTick(benchmark::State& state) {
    for (auto _ : state) {
        gameScreen(&context);
        SDL_Flip(screen);
        state.PauseTiming();
        freeImage(&blockSheet);
        freeImage(&backImage);
        freeImage(&context.players[0].characterBack);
        gameLoaded = 0;
        state.ResumeTiming();
    }
}

void resultLoadingTick(benchmark::State& state) {
    for (auto _ : state) {
        resultScreen(&context);
        SDL_Flip(screen);
        state.PauseTiming();
        freeImage(&backImage);
        resultLoaded = 0;
        state.ResumeTiming();
    }
}

BENCHMARK(fillAndFlip)->Name("blocks/floor_fill_flip");
BENCHMARK(busyGameTick)->Name("blocks/tick_busy_game");
BENCHMARK(titleLoadingTick)->Name("blocks/tick_loading_title");
BENCHMARK(gameLoadingTick)->Name("blocks/tick_loading_game");
BENCHMARK(resultLoadingTick)->Name("blocks/tick_loading_result");

} // namespace

// The display and the digit sheet as the game's start-up leaves them; the pictures are read
// from the game's working folder.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (chdir(BLOCKS_DIR) != 0 || SDL_Init(SDL_INIT_VIDEO) < 0)
        return 1;
    screen = SDL_SetVideoMode(640, 480, 32, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_FULLSCREEN);
    digitSheet = screen ? loadKeyedImage("num.bmp") : nullptr;
    if (!digitSheet)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    freeImage(&blockSheet);
    freeImage(&backImage);
    freeImage(&context.players[0].characterBack);
    freeImage(&digitSheet);
    SDL_Quit();
    return 0;
}
