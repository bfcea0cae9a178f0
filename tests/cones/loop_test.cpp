// loop_test.cpp: Quandrel's frame loop on the test's clock: frames only after events, few of them
// for a burst, the last one always the frame that drawing after every event would have left, and
// the end on Escape or a signal but not on the window's close box.
#include "fixture.h"
#include "loop.h"
#include "startup.h"

#include <unistd.h>

#include <csignal>
#include <cstring>
#include <random>
#include <vector>

namespace {

// An event that the test's rest lets arrive at a given time, milliseconds; or, with `raise` set,
// that signal sent to the process then.
struct Arrival {
    Uint32 at;
    SDL_Event event;
    int raise = 0;
};

struct Script {
    std::vector<Arrival> arrivals; // in order of time
    size_t next = 0;
    int rests = 0;
};

Script* script = nullptr;

// Rests until the time is up or the next arrival comes, whichever is first, as the game's rest
// ends when input comes; then lets in whatever has arrived.
void scriptedRest(Uint32 milliseconds) {
    ++script->rests;
    Uint32 until = fakeNow + milliseconds;
    if (script->next < script->arrivals.size() && script->arrivals[script->next].at < until)
        until = std::max(fakeNow, script->arrivals[script->next].at);
    fakeNow = until;
    for (; script->next < script->arrivals.size(); ++script->next) {
        Arrival& arrival = script->arrivals[script->next];
        if (arrival.at > fakeNow)
            break;
        if (arrival.raise)
            std::raise(arrival.raise);
        else
            ASSERT_EQ(SDL_PushEvent(&arrival.event), 0) << SDL_GetError();
    }
}

const LoopClock scriptedClock = {fakeClock, scriptedRest};

SDL_Event closeBox() {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    return event;
}

// A player's events: cones picked and placed, rows filled at random and checked, the pointer
// about the board; never Escape or the quit buttons, which would end the game before its end.
SDL_Event playerEvent(std::mt19937& random) {
    unsigned roll = random() % 100;
    int x = int(random() % 640), y = int(random() % 600);
    if (x >= 460 && x <= 512 && y >= 290 && y <= 332) // Leave, after a round
        x -= 100;
    if (roll < 50)
        return mouseMotion(x, y);
    if (roll < 62)
        return mouseButton(SDL_MOUSEBUTTONDOWN, 100 + int(random() % 36), 45 + int(random() % 540));
    if (roll < 74)
        return mouseButton(SDL_MOUSEBUTTONDOWN, 320 + int(random() % 216), y);
    if (roll < 86)
        return mouseButton(SDL_MOUSEBUTTONUP, x, y);
    if (roll < 93)
        return keyDown(SDLK_r);
    if (roll < 99)
        return keyDown(SDLK_RETURN);
    return keyDown(SDLK_n);
}

std::vector<Uint16> screenPixels() {
    SDL_LockSurface(screen);
    std::vector<Uint16> pixels;
    for (int y = 0; y < screen->h; ++y) {
        const Uint16* line = reinterpret_cast<const Uint16*>(
            static_cast<const Uint8*>(screen->pixels) + y * screen->pitch);
        pixels.insert(pixels.end(), line, line + screen->w);
    }
    SDL_UnlockSurface(screen);
    return pixels;
}

class FrameLoopTest : public GameTest {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(chdir(CONES_DIR), 0) << CONES_DIR;
        ASSERT_TRUE(loadSheets());
    }
    void SetUp() override {
        GameTest::SetUp();
        SDL_Event stale;
        while (SDL_PollEvent(&stale)) {
        }
        startedAt = fakeNow;
    }

    // Another game from the start, for the next case of a table.
    void freshGame() {
        TearDown();
        SetUp();
    }

    // Runs the loop through the script; returns the frames it drew.
    uint32_t play(Script& played) {
        script = &played;
        uint32_t frames = runFrameLoop(*game, scriptedClock);
        script = nullptr;
        return frames;
    }

    // The frame the game used to leave: a frame, then for each event its handling and a frame,
    // each event handled at the time it came; Escape ends it before its frame.
    std::vector<Uint16> frameOfDrawingAfterEveryEvent(const Script& played) {
        fakeNow = startedAt;
        quitRequested = false;
        Game fresh;
        fresh.newRound();
        fresh.draw();
        for (const Arrival& arrival : played.arrivals) {
            fakeNow = arrival.at;
            SDL_Event event = arrival.event;
            SDL_PushEvent(&event);
            if (fresh.handleEvents() == -1)
                break;
            fresh.draw();
        }
        return screenPixels();
    }

    Uint32 startedAt = 0;
};

TEST_F(FrameLoopTest, AtRestTheFirstFrameIsTheOnlyOne) {
    Script quiet{{{startedAt + 10000, keyDown(SDLK_ESCAPE)}}};
    EXPECT_EQ(play(quiet), 1u);
    EXPECT_EQ(fakeNow, startedAt + 10000);
    EXPECT_LE(quiet.rests, int(10000 / IdleRest) + 1) << "long rests, not a look each millisecond";
}

TEST_F(FrameLoopTest, OneEventBringsOneFrameShowingIt) {
    Script one{
        {{startedAt + 500, mouseMotion(400, 300)}, {startedAt + 2000, keyDown(SDLK_ESCAPE)}}};
    EXPECT_EQ(play(one), 2u);
    EXPECT_EQ(screenPixels(), frameOfDrawingAfterEveryEvent(one));
}

// Columns: how many motions, how far apart (ms), the frames the loop may draw for them at the
// most (after the first frame).
struct BurstCase {
    int motions;
    Uint32 apart;
    uint32_t mostFrames;
};
constexpr BurstCase burstCases[] = {
    {100, 0, 1}, // all in the queue at once (SDL's holds 128)
    {1000, 1,
     1000 / FrameGap + 2}, // a gaming mouse, one a millisecond: a frame a refresh, the last
    {50, 40, 50},          // slower than frames: one frame each
};

TEST_F(FrameLoopTest, ABurstOfMotionIsDrawnAsFewFramesTheLastAtThePointer) {
    for (const BurstCase& c : burstCases) {
        SCOPED_TRACE(testing::Message() << c.motions << " motions " << c.apart << " ms apart");
        freshGame();
        // A cone in the hand follows the pointer, so each frame shows where it was.
        Script burst{{{startedAt + 100, mouseButton(SDL_MOUSEBUTTONDOWN, 110, 60)}}};
        Uint32 at = startedAt + 200;
        for (int i = 0; i < c.motions; ++i, at += c.apart)
            burst.arrivals.push_back({at, mouseMotion(150 + i % 500, 100 + i % 450)});
        burst.arrivals.push_back({at + 1000, keyDown(SDLK_ESCAPE)});
        uint32_t frames = play(burst);
        EXPECT_GE(frames, 3u) << "the first, the press and the motion";
        EXPECT_LE(frames, 2 + c.mostFrames);
        EXPECT_EQ(game->mouseX, 150 + (c.motions - 1) % 500);
        EXPECT_EQ(screenPixels(), frameOfDrawingAfterEveryEvent(burst));
    }
}

TEST_F(FrameLoopTest, AfterAnyRunOfEventsTheFrameIsTheOneDrawingAfterEachLeft) {
    std::mt19937 random(20261211);
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        freshGame();
        Script played;
        Uint32 at = startedAt;
        for (int i = 0; i < 300; ++i) {
            // Bursts of events at one instant, a gaming mouse's pace, a hand's, and rests.
            unsigned pace = random() % 4;
            at += pace == 0 ? 0 : pace == 1 ? 1 : pace == 2 ? 7 + Uint32(random() % 30) : 200;
            played.arrivals.push_back({at, playerEvent(random)});
        }
        // Escape once the last frame is due: what the screen shows then is what is compared.
        played.arrivals.push_back({at + FrameGap + Uint32(random() % 40), keyDown(SDLK_ESCAPE)});
        play(played);
        ASSERT_EQ(played.next, played.arrivals.size()) << "the game ended on the last event";
        std::vector<Uint16> shown = screenPixels();
        ASSERT_EQ(shown, frameOfDrawingAfterEveryEvent(played));
    }
}

// Columns: what the script sends, and when the game must have ended (ms after the start).
struct EndCase {
    const char* name;
    SDL_Event event;
    int signal;
    Uint32 endsAt;
};

TEST_F(FrameLoopTest, SignalsEndTheGameAsEscapeDoesTheCloseBoxDoesNot) {
    const EndCase endCases[] = {
        {"Escape", keyDown(SDLK_ESCAPE), 0, 500},
        {"interrupt", {}, SIGINT, 500},
        {"termination", {}, SIGTERM, 500},
        {"close box", closeBox(), 0, 3000}, // ended only by the Escape at 3 s
    };
    for (const EndCase& c : endCases) {
        SCOPED_TRACE(c.name);
        freshGame();
        Script ending{
            {{startedAt + 500, c.event, c.signal}, {startedAt + 3000, keyDown(SDLK_ESCAPE)}}};
        auto interruptBefore = std::signal(SIGINT, SIG_DFL);
        auto terminationBefore = std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, interruptBefore);
        std::signal(SIGTERM, terminationBefore);
        play(ending);
        EXPECT_TRUE(quitRequested);
        EXPECT_EQ(fakeNow, startedAt + c.endsAt);
        // The loop gave the signals back to whoever had them (SDL here).
        EXPECT_EQ(std::signal(SIGINT, interruptBefore), interruptBefore);
        EXPECT_EQ(std::signal(SIGTERM, terminationBefore), terminationBefore);
    }
}

} // namespace
