// loop_test.cpp: when ticks are due, how the loop waits for them, and what one tick does.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

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

// The loop's world on a clock of the test's: microseconds that pass only when the loop looks at
// the clock (1), reads the queue (1 for each look, event or not), sleeps (the time asked, plus a
// lateness of the world's) or runs a tick (the tick's own cost). Events come in bursts: at given
// moments, or while a given tick runs, as a joystick's would.
struct Burst {
    uint64_t atMicros; // when it arrives, unless it comes with a tick
    int withTick;      // or: the tick during which it arrives (-1: none)
    int count;
    Uint8 type;
};

struct World {
    World(Uint32 clock, uint32_t late, std::vector<Burst> events)
        : clockAtStart(clock), lateWakeMicros(late), bursts(std::move(events)) {}

    Uint32 clockAtStart;       // what the clock reads at microsecond 0
    uint32_t lateWakeMicros;   // how much later than asked every sleep ends
    std::vector<Burst> bursts; // those with a time, in order of time
    uint64_t micros = 0;
    uint64_t sleptMicros = 0;
    size_t nextBurst = 0;
    std::vector<Uint8> queue; // the event types that have arrived, in order
    size_t read = 0;          // of them

    void arrive(const Burst& burst) { queue.insert(queue.end(), size_t(burst.count), burst.type); }
};

World* world = nullptr;

Uint32 worldClock() {
    world->micros += 1;
    return world->clockAtStart + Uint32(world->micros / 1000);
}

void worldSleep(Uint32 milliseconds) {
    uint64_t span = uint64_t(milliseconds) * 1000 + world->lateWakeMicros;
    world->micros += span;
    world->sleptMicros += span;
}

int worldPoll(SDL_Event* event) {
    World& w = *world;
    for (; w.nextBurst < w.bursts.size(); ++w.nextBurst) {
        const Burst& burst = w.bursts[w.nextBurst];
        if (burst.withTick >= 0)
            continue;
        if (burst.atMicros > w.micros)
            break;
        w.arrive(burst);
    }
    w.micros += 1;
    if (w.read == w.queue.size())
        return 0;
    event->type = w.queue[w.read++];
    return 1;
}

const LoopWait worldWait = {worldClock, worldSleep, worldPoll};

// The loop as it used to wait: reading the queue and the clock over and over, never sleeping.
bool spinUntilTick(const LoopWait& wait, Uint32 reference) {
    for (;;) {
        SDL_Event event;
        if (wait.pollEvent(&event)) {
            if (event.type == SDL_QUIT)
                return false;
            continue;
        }
        if (tickDue(wait.readClock(), reference))
            return true;
    }
}

// What a tick costs, microseconds: little, except for a few slow ones.
uint64_t tickCost(int tick) {
    switch (tick % 1000) {
    case 100:
        return 40000; // two and a half intervals
    case 200:
        return 15900; // just short of one
    case 300:
        return 16000; // exactly one
    default:
        return 300;
    }
}

using Waiting = bool (*)(const LoopWait&, Uint32);

// Runs `ticks` ticks the way runLoop does, each costing tickCost, and returns the clock at the
// start of each; the start-up reading comes first.
std::vector<Uint32> tickInstants(World& w, Waiting waitForTick, int ticks, uint64_t* workMicros) {
    world = &w;
    std::vector<Uint32> instants;
    Uint32 reference = worldClock();
    instants.push_back(reference);
    *workMicros = 0;
    for (int tick = 0; tick < ticks; ++tick) {
        if (!waitForTick(worldWait, reference))
            break;
        reference = worldClock();
        instants.push_back(reference);
        for (const Burst& burst : w.bursts) {
            if (burst.withTick == tick)
                w.arrive(burst);
        }
        w.micros += tickCost(tick);
        *workMicros += tickCost(tick);
    }
    world = nullptr;
    return instants;
}

// Columns: the clock at the start, how late each sleep wakes, the bursts of events.
struct WorldCase {
    const char* name;
    Uint32 clockAtStart;
    uint32_t lateWakeMicros;
    std::vector<Burst> bursts;
};

const WorldCase worldCases[] = {
    {"quiet", 1000, 0, {}},
    {"sleeps wake late", 1000, 400, {}},
    {"the clock wraps", 0xFFFFFFFFu - 7000, 150, {}},
    {"bursts of events",
     0xFFFFFFFFu - 20000,
     90,
     {{0, 50, 3000, SDL_JOYAXISMOTION},    // 3 ms of reading after a quick tick
      {0, 100, 12000, SDL_JOYAXISMOTION},  // 12 ms more after a slow one
      {0, 700, 40000, SDL_JOYAXISMOTION},  // 40 ms: more than two ticks' worth
      {2000500, -1, 200, SDL_MOUSEMOTION}, // while the loop sleeps
      {9000000, -1, 1, SDL_KEYDOWN},
      {30000000, -1, 150, SDL_JOYBALLMOTION}}},
};

TEST(AwaitTick, TicksComeWhenTheyCameWhileTheLoopSpun) {
    constexpr int Ticks = 4000; // a little over a minute of play
    for (const WorldCase& c : worldCases) {
        SCOPED_TRACE(c.name);
        World spinning{c.clockAtStart, c.lateWakeMicros, c.bursts};
        World sleeping{c.clockAtStart, c.lateWakeMicros, c.bursts};
        uint64_t spinningWork = 0, sleepingWork = 0;
        std::vector<Uint32> expected = tickInstants(spinning, spinUntilTick, Ticks, &spinningWork);
        std::vector<Uint32> instants = tickInstants(sleeping, awaitTick, Ticks, &sleepingWork);
        ASSERT_EQ(instants.size(), size_t(Ticks + 1));
        ASSERT_EQ(instants, expected);
        EXPECT_EQ(sleeping.read, sleeping.queue.size()) << "every event was read";
        // The loop sleeps through most of the time it does not spend on ticks or events.
        uint64_t idle = sleeping.micros - sleepingWork - sleeping.queue.size();
        EXPECT_GT(sleeping.sleptMicros, idle * 9 / 10) << sleeping.sleptMicros << " of " << idle;
        EXPECT_EQ(spinning.sleptMicros, 0u);
    }
}

TEST(AwaitTick, QuickTicksComeEverySixteenMilliseconds) {
    World w{0xFFFFFFFFu - 100, 250, {}};
    uint64_t work = 0;
    std::vector<Uint32> instants = tickInstants(w, awaitTick, 99, &work);
    for (size_t i = 1; i < instants.size(); ++i)
        EXPECT_EQ(Uint32(instants[i] - instants[i - 1]), 16u) << "tick " << i;
}

TEST(AwaitTick, AQuitEventEndsTheWaitAtTheFirstLookAfterIt) {
    World w{5000,
            0,
            {{7300, -1, 3, SDL_JOYBUTTONDOWN}, {7400, -1, 1, SDL_QUIT}, {7500, -1, 1, SDL_QUIT}}};
    world = &w;
    EXPECT_FALSE(awaitTick(worldWait, 5000));
    EXPECT_LT(w.micros, 16000u) << "before the tick was due";
    EXPECT_EQ(w.read, 4u) << "the events before the quit, and the quit";
    world = nullptr;
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
