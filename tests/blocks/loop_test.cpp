// loop_test.cpp: when ticks are due, and what one tick does.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "loop.h"

namespace {

// Columns: now, reference (both SDL_GetTicks() values), whether a tick is due.
struct TickCase {
    Uint32 now, reference;
    bool due;
};
constexpr TickCase tickCases[] = {
    {100, 100, false},       // the same millisecond
    {115, 100, false},       // 15 ms is not enough
    {116, 100, true},        // more than 15 ms
    {5000, 100, true},       // a long gap gives one tick, no catching up
    {4, 0xFFFFFFF5u, false}, // 15 ms across the wrap of the clock
    {5, 0xFFFFFFF5u, true},  // 16 ms across the wrap
    {0, 0xFFFFFFFFu, false}, // 1 ms across the wrap
};

TEST(TickDue, MoreThanFifteenMillisecondsAcrossTheWrap) {
    for (const TickCase& c : tickCases) {
        SCOPED_TRACE(testing::Message() << c.now << " - " << c.reference);
        EXPECT_EQ(tickDue(c.now, c.reference), c.due);
    }
}

int stepsRun = 0;
GameContext* steppedContext = nullptr;
int32_t countingStep(GameContext* context) {
    ++stepsRun;
    steppedContext = context;
    return 0;
}

class RunTickTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        screen = SDL_SetVideoMode(640, 480, 32, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_FULLSCREEN);
        ASSERT_NE(screen, nullptr);
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        currentScreen = countingStep;
        stepsRun = 0;
    }
    void TearDown() override { SDL_Quit(); }
    static bool quitQueued() {
        SDL_Event event;
        bool quit = false;
        while (SDL_PollEvent(&event))
            quit = quit || event.type == SDL_QUIT;
        return quit;
    }
    GameContext context = {};
};

TEST_F(RunTickTest, RunsTheScreenOnceWithFreshInput) {
    context.players[0].input.buttonA = 1;
    runTick(&context);
    EXPECT_EQ(stepsRun, 1);
    EXPECT_EQ(steppedContext, &context);
    EXPECT_EQ(context.players[0].input.buttonA, 0); // nothing is held under the dummy driver
    EXPECT_FALSE(quitQueued());
}

TEST_F(RunTickTest, QuitRequestIsPushedAndTheTickStillRuns) {
    context.quitRequested = 1;
    runTick(&context);
    EXPECT_EQ(stepsRun, 1);
    EXPECT_TRUE(quitQueued());
    runTick(&context); // the request stands until the program ends
    EXPECT_TRUE(quitQueued());
}

} // namespace
