// storm_test.cpp: Quandrel under a storm of random events (pointer, buttons, keys, window
// requests), each handled as the frame loop handles it and followed by a frame, with the rules of
// a round checked after every one. CONES_STORM_EVENTS makes the storm longer.
#include "fixture.h"
#include "startup.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <random>

namespace {

// Where the storm aims the pointer: the places that act, and the whole screen. Columns: x, y,
// width, height, weight; trailing: what lies there. New rounds are rare, or rounds would seldom
// run to their end.
constexpr struct {
    SDL_Rect area;
    unsigned weight;
} aims[] = {
    {{100, 40, 40, 550}, 12}, // the palette
    {{315, 0, 225, 600}, 12}, // the rows, the current one among them
    {{515, 0, 40, 600}, 4},   // the random-row markers
    {{640, 530, 145, 40}, 8}, // Check
    {{640, 10, 145, 40}, 1},  // New game
    {{640, 50, 145, 40}, 4},  // Quit
    {{295, 290, 65, 45}, 2},  // Again
    {{460, 290, 50, 45}, 4},  // Leave
    {{0, 0, 800, 600}, 8},    // anywhere on the screen
};

// Keys and how often a key event has each, per thousand; the rest are any other key but Escape.
// Columns: key, per thousand.
constexpr struct {
    SDLKey key;
    unsigned perThousand;
} keyChances[] = {
    {SDLK_RETURN, 250}, // check the row
    {SDLK_r, 200},      // random row
    {SDLK_n, 3},        // new round
};

class EventStorm {
  public:
    explicit EventStorm(unsigned seed) : random_(seed) {}

    unsigned below(unsigned n) { return random_() % n; }

    // A point near something that acts, anywhere on the screen, or off it (SDL's coordinates
    // are 16 bits without sign).
    void point(Uint16* x, Uint16* y) {
        if (below(10) == 0) {
            *x = Uint16(random_());
            *y = Uint16(random_());
            return;
        }
        unsigned total = 0;
        for (const auto& aim : aims)
            total += aim.weight;
        unsigned roll = below(total);
        for (const auto& aim : aims) {
            if (roll < aim.weight) {
                *x = Uint16(aim.area.x + below(aim.area.w));
                *y = Uint16(aim.area.y + below(aim.area.h));
                return;
            }
            roll -= aim.weight;
        }
    }

    SDLKey key() {
        unsigned roll = below(1000);
        for (const auto& chance : keyChances) {
            if (roll < chance.perThousand)
                return chance.key;
            roll -= chance.perThousand;
        }
        SDLKey other;
        do
            other = SDLKey(1 + below(SDLK_LAST - 1));
        while (other == SDLK_ESCAPE);
        return other;
    }

    SDL_Event next() {
        SDL_Event event = {};
        unsigned roll = below(100);
        if (roll < 35) {
            event.type = SDL_MOUSEMOTION;
            point(&event.motion.x, &event.motion.y);
            event.motion.state = Uint8(below(2));
        } else if (roll < 75) {
            event.type = roll < 55 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            event.button.button = Uint8(below(3) ? SDL_BUTTON_LEFT : 1 + below(7));
            event.button.state = event.type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            point(&event.button.x, &event.button.y);
        } else if (roll < 97) {
            event.type = roll < 90 ? SDL_KEYDOWN : SDL_KEYUP;
            event.key.state = event.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            event.key.keysym.sym = key();
        } else if (roll < 98) {
            event.type = SDL_QUIT; // the window's close box, which the game ignores
        } else if (roll < 99) {
            event.type = SDL_ACTIVEEVENT;
            event.active.gain = Uint8(below(2));
            event.active.state = SDL_APPMOUSEFOCUS;
        } else {
            event.type = SDL_VIDEOEXPOSE;
        }
        return event;
    }

  private:
    std::mt19937 random_;
};

SDL_Event press(int x, int y) {
    return mouseButton(SDL_MOUSEBUTTONDOWN, x, y);
}

bool rowRepeatsAColour(const Row& row) {
    for (int i = 0; i < SlotCount; ++i) {
        for (int j = i + 1; j < SlotCount; ++j) {
            if (row.pegs[i] != NoColour && row.pegs[i] == row.pegs[j])
                return true;
        }
    }
    return false;
}

bool sameRow(const Row& a, const Row& b) {
    for (int i = 0; i < SlotCount; ++i) {
        if (a.pegs[i] != b.pegs[i] || a.marks[i] != b.marks[i])
            return false;
    }
    return true;
}

bool isEmptyRow(const Row& row) {
    Row empty;
    empty.clear();
    return sameRow(row, empty);
}

// A checked row holds the marks a fresh check of it would give.
bool hasItsMarks(const Row& row, const int32_t secret[SlotCount]) {
    Row again = row;
    return again.evaluate(secret) != -1 && sameRow(again, row);
}

// What an event may change, as it stood before the event.
struct RoundState {
    Row rows[RowCount];
    int32_t currentRow = 0;
    int32_t outcome = Playing;
    uint32_t startTicks = 0;
};

RoundState stateOf(const Game& game) {
    RoundState state;
    for (int r = 0; r < RowCount; ++r)
        state.rows[r] = game.rows[r];
    state.currentRow = game.currentRow;
    state.outcome = game.outcome;
    state.startTicks = game.startTicks;
    return state;
}

struct StormFigures {
    long events = 0;
    long rounds = 0;
    long checks = 0;
    long wins = 0;
    long winsAcrossWrap = 0;
    long losses = 0;
    long quitsDismissed = 0;
};

class StormTest : public GameTest {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(chdir(CONES_DIR), 0) << CONES_DIR;
        ASSERT_TRUE(loadSheets());
    }

    // One event through the game's own handling, then a frame, then the checks.
    void send(const SDL_Event& event) {
        SDL_Event copy = event;
        ASSERT_EQ(SDL_PushEvent(&copy), 0) << SDL_GetError();
        before = stateOf(*game);
        // The clock moves on between events, so a new round always starts at another time.
        fakeNow += 1 + storm.below(40);
        ASSERT_EQ(game->handleEvents(), 0);
        // The Quit and Leave buttons end the loop; the storm carries on to test further.
        if (quitRequested) {
            quitRequested = false;
            ++figures.quitsDismissed;
        }
        game->draw();
        ++figures.events;
        ASSERT_TRUE(roundIsSound())
            << "after event " << figures.events << " of type " << int(event.type);
        ASSERT_TRUE(changedOnlyWhatItMay()) << "after event " << figures.events;
        count();
    }

    // A player who knows the secret places it with the mouse and checks it.
    void playTheSecret() {
        for (int s = 0; s < SlotCount && !HasFatalFailure(); ++s) {
            send(press(110, 55 + 60 * game->secret[s]));
            send(press(325 + 45 * s, 555 - 60 * game->currentRow));
        }
        send(keyDown(SDLK_RETURN));
    }

    testing::AssertionResult roundIsSound() const {
        const Game& g = *game;
        for (int i = 0; i < SlotCount; ++i) {
            for (int j = 0; j < i; ++j) {
                if (g.secret[i] == g.secret[j] || g.secret[i] < 0 || g.secret[i] >= ColourCount)
                    return testing::AssertionFailure() << "secret colour " << g.secret[i];
            }
        }
        if (g.currentRow < 0 || g.currentRow > RowCount)
            return testing::AssertionFailure() << "currentRow " << g.currentRow;
        if (g.heldColour < NoColour || g.heldColour >= ColourCount ||
            (g.outcome != Playing && g.heldColour != NoColour))
            return testing::AssertionFailure()
                   << "holds " << g.heldColour << " in outcome " << g.outcome;
        if ((g.outcome == Lost && g.currentRow != RowCount) ||
            (g.outcome == Won &&
             (g.currentRow == 0 || g.rows[g.currentRow - 1].marks[3] != MarkExact)) ||
            g.outcome < Lost || g.outcome > Won)
            return testing::AssertionFailure()
                   << "outcome " << g.outcome << " at row " << g.currentRow;
        for (int r = 0; r < RowCount; ++r) {
            const Row& row = g.rows[r];
            if (rowRepeatsAColour(row))
                return testing::AssertionFailure() << "row " << r << " repeats a colour";
            if (r < g.currentRow && !hasItsMarks(row, g.secret))
                return testing::AssertionFailure() << "checked row " << r << " has wrong marks";
            if (r > g.currentRow && !isEmptyRow(row))
                return testing::AssertionFailure() << "row " << r << " above the current one";
            if (r == g.currentRow && row.marks[0] != MarkNone)
                return testing::AssertionFailure() << "the current row has marks";
        }
        return testing::AssertionSuccess();
    }

    // Within a round only the current row changes, and only while playing; a new round starts
    // from empty rows.
    testing::AssertionResult changedOnlyWhatItMay() const {
        const Game& g = *game;
        if (g.startTicks != before.startTicks) {
            if (g.currentRow != 0 || g.outcome != Playing || g.heldColour != NoColour)
                return testing::AssertionFailure() << "a new round does not start afresh";
            return testing::AssertionSuccess(); // every row empty: roundIsSound saw to it
        }
        for (int r = 0; r < RowCount; ++r) {
            bool mayChange = before.outcome == Playing && r == before.currentRow;
            if (!mayChange && !sameRow(g.rows[r], before.rows[r]))
                return testing::AssertionFailure()
                       << "row " << r << " changed; the current row is " << before.currentRow;
        }
        if (before.outcome != Playing && g.outcome != before.outcome)
            return testing::AssertionFailure() << "an ended round changed its outcome";
        return testing::AssertionSuccess();
    }

    void count() {
        const Game& g = *game;
        if (g.startTicks != before.startTicks)
            ++figures.rounds;
        else if (g.currentRow != before.currentRow)
            ++figures.checks;
        if (before.outcome == Playing && g.outcome == Won) {
            ++figures.wins;
            figures.winsAcrossWrap += fakeNow < g.startTicks;
            char want[64];
            Uint32 elapsed = fakeNow - g.startTicks;
            std::snprintf(want, sizeof want, "Your time:  %u : %u : %u", elapsed / 60000,
                          elapsed / 1000 % 60, elapsed % 1000 / 10);
            EXPECT_EQ(caption(), want);
        }
        figures.losses += before.outcome == Playing && g.outcome == Lost;
    }

    EventStorm storm{2024};
    RoundState before;
    StormFigures figures;
};

long fromEnvironment(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text ? std::atol(text) : fallback;
}

TEST_F(StormTest, RandomEventsKeepEveryRoundSound) {
    const long wanted = fromEnvironment("CONES_STORM_EVENTS", 10000);
    // The first round starts just before the millisecond counter wraps and is won after it.
    fakeNow = 0xFFFFFFF0u;
    game->newRound();
    playTheSecret();
    while (figures.events < wanted) {
        if (game->outcome == Playing && storm.below(400) == 0)
            playTheSecret();
        else
            send(storm.next());
        if (HasFatalFailure())
            return;
    }
    // The storm means something only if it reached every way a round can go.
    EXPECT_GT(figures.rounds, 0);
    EXPECT_GT(figures.checks, 0);
    EXPECT_GT(figures.wins, 0);
    EXPECT_GT(figures.winsAcrossWrap, 0);
    EXPECT_GT(figures.losses, 0);
    EXPECT_GT(figures.quitsDismissed, 0);
    std::cout << figures.events << " events, " << figures.rounds << " new rounds, "
              << figures.checks << " rows checked, " << figures.wins << " wins ("
              << figures.winsAcrossWrap << " across the clock's wrap), " << figures.losses
              << " losses, " << figures.quitsDismissed << " quits dismissed\n";
}

} // namespace
