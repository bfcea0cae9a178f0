// soak_test.cpp: Drapple played screen after screen, title to game to result and back, with random
// held keys and the real pictures, checking the rules after every tick and the pictures after
// every round. BLOCKS_SOAK_TICKS and BLOCKS_SOAK_CYCLES make the run longer.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "input.h"
#include "loop.h"
#include "rule_checks.h"
#include "screens.h"
#include "sprites.h"

namespace {

// Held keys as a restless player holds them: each set for 1 to 40 ticks, Down the most (so
// that games end soon, the stack topping out) and Left, Right and the turns now and then.
class RestlessHands {
  public:
    explicit RestlessHands(unsigned seed) : random_(seed) {}

    const Uint8* next() {
        if (holdTicks_ == 0) {
            // Columns: key, percent of holds that have it down.
            constexpr struct {
                SDLKey key;
                unsigned percent;
            } chances[] = {
                {SDLK_DOWN, 25},  // soft drop; the quit line on the title
                {SDLK_LEFT, 20},  // slide left
                {SDLK_RIGHT, 20}, // slide right
                {SDLK_z, 15},     // turn one way; choose on the title
                {SDLK_x, 15},     // turn the other way; choose on the title
                {SDLK_UP, 5},     // read but unused
                {SDLK_SPACE, 5},  // not a control at all
            };
            for (const auto& chance : chances)
                keys_[chance.key] = random_() % 100 < chance.percent ? 1 : 0;
            holdTicks_ = 1 + int(random_() % 40);
        }
        --holdTicks_;
        return keys_;
    }

  private:
    std::mt19937 random_;
    Uint8 keys_[SDLK_LAST] = {};
    int holdTicks_ = 0;
};

// Back on the title after a round: every picture of the round is freed, nothing is loaded.
testing::AssertionResult roundLeftNothing(const GameContext& context, int32_t startImages) {
    if (liveImageCount() != startImages)
        return testing::AssertionFailure()
               << liveImageCount() << " pictures live, not " << startImages;
    if (backImage || cursorImage || blockSheet || context.players[0].characterBack)
        return testing::AssertionFailure() << "a freed picture still pointed at";
    if (titleLoaded || gameLoaded || resultLoaded)
        return testing::AssertionFailure() << "a screen still marked loaded";
    return testing::AssertionSuccess();
}

long fromEnvironment(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text ? std::atol(text) : fallback;
}

struct SoakFigures {
    long ticks = 0;       // every screen
    long gameTicks = 0;   // ticks of the playing field with the rules run
    long cycles = 0;      // title, game, result, and back to the title
    long quitChoices = 0; // the title's quit line chosen (the loop would end there)
    int32_t bestScore = 0;
};

class ScreenSoak : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(chdir(BLOCKS_DIR), 0) << BLOCKS_DIR;
        startUp(&context); // ends the process with its message if it cannot start
    }

    // One tick as the loop runs it, but with the keys from the hands instead of the devices, and
    // without the flip, which only presents the frame (and under the dummy driver of the
    // SDL2-based runtime costs more than all the rest). A quit the title asks for is counted and
    // dismissed, so that play goes on.
    void tick(const Uint8* keys) {
        context.players[0].input = mapControls(JoystickLevels{}, keys);
        context.players[1].input = mapControls(JoystickLevels{}, nullptr);
        currentScreen(&context);
        if (context.quitRequested) {
            context.quitRequested = 0;
            ++figures.quitChoices;
        }
        ++figures.ticks;
    }

    static GameContext context;
    SoakFigures figures;
};

GameContext ScreenSoak::context;

TEST_F(ScreenSoak, RoundsWithRandomHeldKeysKeepTheRulesAndFreeEveryPicture) {
    const long wantTicks = fromEnvironment("BLOCKS_SOAK_TICKS", 15000);
    const long wantCycles = fromEnvironment("BLOCKS_SOAK_CYCLES", 5);
    std::srand(20240601);
    RestlessHands hands(7);
    garbageClock = 0;
    const int32_t startImages = liveImageCount();
    ASSERT_EQ(startImages, 1) << "only the digit sheet lives before the title";
    Player& player = context.players[0];
    // A round that never ends would not free its pictures; the bound turns it into a failure.
    const long tickLimit = 10 * wantTicks + 20000 * wantCycles;
    while (figures.gameTicks < wantTicks || figures.cycles < wantCycles) {
        ASSERT_LT(figures.ticks, tickLimit) << "rounds stopped ending";
        const ScreenStep before = currentScreen;
        const bool playing = before == gameScreen && gameLoaded;
        const int32_t score = player.score;
        tick(hands.next());
        if (playing) {
            ++figures.gameTicks;
            ASSERT_TRUE(stateIsSound(player, score)) << "game tick " << figures.gameTicks;
            ASSERT_EQ(currentScreen == resultScreen, isToppedOut(&player) == 1)
                << "game tick " << figures.gameTicks;
            if (player.score > figures.bestScore)
                figures.bestScore = player.score;
        }
        if (before == resultScreen && currentScreen == titleScreen) {
            ++figures.cycles;
            ASSERT_TRUE(roundLeftNothing(context, startImages)) << "round " << figures.cycles;
        }
    }
    std::cout << figures.ticks << " ticks, " << figures.gameTicks << " of them game ticks, "
              << figures.cycles << " rounds, " << figures.quitChoices
              << " quit choices dismissed, best score " << figures.bestScore << "\n";
}

} // namespace
