// input_test.cpp: mouse and key events, pushed into SDL's queue, drive the game as a player would.
#include "fixture.h"

namespace {

constexpr int32_t X = NoColour;

void push(SDL_Event event) {
    ASSERT_EQ(SDL_PushEvent(&event), 0) << SDL_GetError();
}

void pushButton(Uint8 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event event = {};
    event.type = type;
    event.button.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = Uint16(x);
    event.button.y = Uint16(y);
    push(event);
}

void pushPress(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    pushButton(SDL_MOUSEBUTTONDOWN, x, y, button);
}

void pushRelease(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    pushButton(SDL_MOUSEBUTTONUP, x, y, button);
}

void pushMotion(int x, int y) {
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.x = Uint16(x);
    event.motion.y = Uint16(y);
    push(event);
}

void pushKey(SDLKey sym, Uint8 type = SDL_KEYDOWN, SDLMod mod = KMOD_NONE) {
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    push(event);
}

class InputTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        drain();
    }
    // Hands every queued event to the game; the result of handleEvents.
    int drain() { return game->handleEvents(); }
    void press(int x, int y) {
        pushPress(x, y);
        EXPECT_EQ(drain(), 0);
    }
    void moveAndRelease(int x, int y) {
        pushMotion(x, y);
        pushRelease(x, y);
        EXPECT_EQ(drain(), 0);
    }
    bool rowIs(int r, std::initializer_list<int32_t> colours) const {
        int i = 0;
        for (int32_t c : colours) {
            if (game->rows[r].peg(i++) != c)
                return false;
        }
        return true;
    }
    bool boardIsEmpty() const {
        for (const Row& row : game->rows) {
            for (int32_t peg : row.pegs) {
                if (peg != NoColour)
                    return false;
            }
        }
        return true;
    }
};

struct PaletteCase {
    int x, y;
    int32_t held; // after the press, with colour 3 held before it
};

// The palette band: x 100 to 135, y 45 to 584, a colour every 60 pixels.
constexpr PaletteCase paletteCases[] = {
    {110, 45, 0},  {110, 104, 0}, {110, 105, 1}, {100, 400, 5}, {135, 400, 5},
    {110, 584, 8}, {110, 585, X}, {110, 44, X},  {99, 400, X},  {136, 400, X},
};

} // namespace

TEST_F(InputTest, APressOnThePalettePicksUpItsColour) {
    for (const PaletteCase& c : paletteCases) {
        game->heldColour = 3;
        press(c.x, c.y);
        EXPECT_EQ(game->heldColour, c.held) << c.x << ", " << c.y;
    }
}

namespace {

struct RowPressCase {
    int currentRow;
    int x, y;
    int slot; // written with the held colour 7, or -1 when no slot is written
    bool inBand;
};

// The current row's band: x 320 to 535, y 550 - 60r to 585 - 60r; slots every 45 pixels.
constexpr RowPressCase rowPressCases[] = {
    {0, 330, 555, 0, true},   {0, 320, 550, 0, true},   {0, 364, 585, 0, true},
    {0, 365, 570, 1, true},   {0, 499, 560, 3, true},   {0, 500, 560, -1, true},
    {0, 535, 560, -1, true},  {0, 536, 560, -1, false}, {0, 319, 560, -1, false},
    {0, 400, 549, -1, false}, {0, 400, 586, -1, false}, {3, 410, 370, 2, true},
    {3, 410, 405, 2, true},   {3, 410, 369, -1, false}, {3, 410, 406, -1, false},
    {9, 320, 10, 0, true},    {9, 400, 560, -1, false},
};

} // namespace

TEST_F(InputTest, APressOnTheCurrentRowPutsTheHeldColourInASlot) {
    for (const RowPressCase& c : rowPressCases) {
        game->newRound();
        game->currentRow = c.currentRow;
        setRow(c.currentRow, {X, 7, X, 2}); // colour 7 already sits in slot 1
        game->heldColour = 7;
        press(c.x, c.y);
        const Row& row = game->rows[c.currentRow];
        for (int s = 0; s < 4; ++s) {
            int32_t expected = s == c.slot ? 7 : s == 1 && !c.inBand ? 7 : s == 3 ? 2 : X;
            EXPECT_EQ(row.peg(s), expected)
                << "row " << c.currentRow << " press " << c.x << ", " << c.y << " slot " << s;
        }
        EXPECT_EQ(game->heldColour, NoColour) << c.x << ", " << c.y;
    }
}

TEST_F(InputTest, AColourPlacedAgainMovesAndAnEmptyHandClearsASlot) {
    setRow(0, {X, X, 3, 1});
    game->heldColour = 3;
    press(330, 555);
    EXPECT_TRUE(rowIs(0, {3, X, X, 1})) << "the colour left slot 2 for slot 0";
    EXPECT_EQ(game->heldColour, NoColour);
    press(470, 560);
    EXPECT_TRUE(rowIs(0, {3, X, X, X})) << "nothing held empties the slot";
}

TEST_F(InputTest, PickAndPlaceTakeTwoPressesWhateverTheReleasesSay) {
    pushPress(110, 45 + 60 * 4);
    pushRelease(330, 555);
    pushPress(375, 560, SDL_BUTTON_RIGHT);
    pushRelease(375, 560, SDL_BUTTON_RIGHT);
    EXPECT_EQ(drain(), 0);
    EXPECT_TRUE(rowIs(0, {X, 4, X, X}));
    EXPECT_EQ(game->heldColour, NoColour);
}

TEST_F(InputTest, APressOnAnotherRowOnlyDropsTheHeldColour) {
    game->currentRow = 1;
    setRow(0, {1, 2, 3, 4});
    game->heldColour = 5;
    press(330, 555);
    EXPECT_TRUE(rowIs(0, {1, 2, 3, 4}));
    EXPECT_TRUE(rowIs(1, {X, X, X, X}));
    EXPECT_EQ(game->heldColour, NoColour);
}

TEST_F(InputTest, PressesDoNothingOnceTheRoundIsOver) {
    for (int32_t outcome : {Won, Lost}) {
        game->newRound();
        game->outcome = outcome;
        press(110, 100);
        press(330, 555);
        EXPECT_EQ(game->heldColour, NoColour);
        EXPECT_TRUE(boardIsEmpty());
    }
}

TEST_F(InputTest, MotionKeepsThePointer) {
    pushMotion(123, 456);
    pushMotion(799, 599);
    EXPECT_EQ(drain(), 0);
    EXPECT_EQ(game->mouseX, 799);
    EXPECT_EQ(game->mouseY, 599);
}

TEST_F(InputTest, AReleaseActsWhereThePointerLastMoved) {
    pushRelease(700, 60);
    EXPECT_EQ(drain(), 0);
    EXPECT_FALSE(quitRequested) << "no motion yet: the pointer is at (0, 0)";
    pushMotion(700, 60);
    pushRelease(0, 0, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(drain(), 0);
    EXPECT_TRUE(quitRequested) << "any button over QuitButton ends the game";
}

TEST_F(InputTest, CheckButtonChecksTheRow) {
    setSecret({0, 1, 2, 3});
    setRow(0, {4, 5, 6, 0});
    moveAndRelease(780, 565);
    EXPECT_EQ(game->currentRow, 1);
    EXPECT_EQ(game->rows[0].mark(0), MarkColour);
    setRow(1, {0, 1, 2, 3});
    moveAndRelease(645, 535);
    EXPECT_EQ(game->outcome, Won);
    EXPECT_EQ(game->currentRow, 2);
}

TEST_F(InputTest, NewGameButtonStartsANewRound) {
    setRow(0, {1, 2, 3, 4});
    moveAndRelease(781, 30);
    EXPECT_FALSE(boardIsEmpty()) << "just outside the hit area";
    moveAndRelease(780, 30);
    EXPECT_TRUE(boardIsEmpty());
}

namespace {

struct MarkerCase {
    int x, y;
    bool hits;
};

// The random-row marker with row 3 current: x 521 to 551, y 371 to 401.
constexpr MarkerCase markerCases[] = {
    {521, 371, true},  {551, 401, true},  {536, 386, true},  {520, 386, false},
    {552, 386, false}, {536, 370, false}, {536, 402, false},
};

} // namespace

TEST_F(InputTest, AReleaseOnTheMarkerFillsTheRowAtRandom) {
    for (const MarkerCase& c : markerCases) {
        game->newRound();
        game->currentRow = 3;
        moveAndRelease(c.x, c.y);
        bool filled = game->rows[3].peg(0) != NoColour && game->rows[3].peg(3) != NoColour;
        EXPECT_EQ(filled, c.hits) << c.x << ", " << c.y;
    }
}

TEST_F(InputTest, OnlyTheEndButtonsReactOnceTheRoundIsOver) {
    for (int32_t outcome : {Won, Lost}) {
        game->newRound();
        setSecret({0, 1, 2, 3});
        setRow(0, {0, 1, 2, 3});
        game->outcome = outcome;
        moveAndRelease(700, 550); // CheckButton
        moveAndRelease(700, 30);  // NewGameButton
        moveAndRelease(700, 60);  // QuitButton
        moveAndRelease(530, 560); // the random-row marker
        EXPECT_EQ(game->outcome, outcome);
        EXPECT_TRUE(rowIs(0, {0, 1, 2, 3}));
        EXPECT_EQ(game->currentRow, 0);
        EXPECT_FALSE(quitRequested);
        moveAndRelease(355, 328); // AgainButton, far corner
        EXPECT_EQ(game->outcome, Playing);
        EXPECT_TRUE(boardIsEmpty());
    }
    game->outcome = Lost;
    moveAndRelease(465, 295); // LeaveButton, near corner
    EXPECT_TRUE(quitRequested);
}

namespace {

struct KeyCase {
    SDLKey sym;
    Uint8 type;
    SDLMod mod;
    int32_t outcome;    // before the key
    const char* effect; // "new round", "random row", "check", or "nothing"
};

constexpr KeyCase keyCases[] = {
    {SDLK_n, SDL_KEYDOWN, KMOD_NONE, Playing, "new round"},
    {SDLK_n, SDL_KEYDOWN, KMOD_LSHIFT, Won, "new round"},
    {SDLK_n, SDL_KEYDOWN, KMOD_NONE, Lost, "new round"},
    {SDLK_n, SDL_KEYUP, KMOD_NONE, Playing, "nothing"},
    {SDLK_r, SDL_KEYDOWN, KMOD_NONE, Playing, "random row"},
    {SDLK_r, SDL_KEYDOWN, KMOD_LCTRL, Playing, "random row"},
    {SDLK_r, SDL_KEYDOWN, KMOD_NONE, Won, "nothing"},
    {SDLK_r, SDL_KEYDOWN, KMOD_NONE, Lost, "nothing"},
    {SDLK_RETURN, SDL_KEYDOWN, KMOD_NONE, Playing, "check"},
    {SDLK_RETURN, SDL_KEYDOWN, KMOD_NONE, Lost, "nothing"},
    {SDLK_RETURN, SDL_KEYUP, KMOD_NONE, Playing, "nothing"},
    {SDLK_KP_ENTER, SDL_KEYDOWN, KMOD_NONE, Playing, "nothing"},
    {SDLK_q, SDL_KEYDOWN, KMOD_NONE, Playing, "nothing"},
};

} // namespace

TEST_F(InputTest, KeysStartRoundsFillRowsAndCheckThem) {
    for (const KeyCase& c : keyCases) {
        game->newRound();
        setSecret({0, 1, 2, 3});
        game->currentRow = 2;
        setRow(2, {4, 5, 6, 7});
        game->outcome = c.outcome;
        pushKey(c.sym, c.type, c.mod);
        EXPECT_EQ(drain(), 0);
        std::string effect = "nothing";
        if (game->currentRow == 0 && game->outcome == Playing && boardIsEmpty())
            effect = "new round";
        else if (game->currentRow == 3)
            effect = "check";
        else if (!rowIs(2, {4, 5, 6, 7}))
            effect = "random row";
        EXPECT_EQ(effect, c.effect) << "key " << c.sym << " type " << int(c.type);
    }
}

TEST_F(InputTest, EscapeLeavesAtOnceAndTheRestOfTheQueueWaits) {
    pushMotion(10, 20);
    pushKey(SDLK_ESCAPE);
    pushMotion(30, 40);
    EXPECT_EQ(drain(), -1);
    EXPECT_EQ(game->mouseX, 10);
    EXPECT_EQ(drain(), 0);
    EXPECT_EQ(game->mouseX, 30);
    EXPECT_EQ(game->mouseY, 40);
}

TEST_F(InputTest, EscapeWorksInEveryStateButItsReleaseDoesNothing) {
    for (int32_t outcome : {Playing, Won, Lost}) {
        game->outcome = outcome;
        pushKey(SDLK_ESCAPE);
        EXPECT_EQ(drain(), -1);
    }
    pushKey(SDLK_ESCAPE, SDL_KEYUP);
    EXPECT_EQ(drain(), 0);
}

TEST_F(InputTest, AWindowCloseRequestIsIgnored) {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    push(event);
    pushMotion(5, 6);
    EXPECT_EQ(drain(), 0);
    EXPECT_FALSE(quitRequested);
    EXPECT_EQ(game->mouseX, 5) << "events after it are still handled";
}
