// rules_test.cpp: checking guesses, the course of a round, the win time, random rows, new rounds.
#include "fixture.h"

#include <set>

namespace {

constexpr int32_t N = MarkNone, C = MarkColour, E = MarkExact, X = NoColour;

struct EvaluateCase {
    int32_t secret[4];
    int32_t guess[4];
    int result;
    int32_t marks[4];
    const char* name;
};

// secret, guess, result, marks
constexpr EvaluateCase evaluateCases[] = {
    {{0, 1, 2, 3}, {1, 0, 2, 5}, 0, {C, C, E, N}, "two swapped, one exact"},
    {{4, 7, 1, 0}, {4, 7, 1, 0}, 1, {E, E, E, E}, "all exact"},
    {{0, 1, 2, 3}, {4, 5, 6, 7}, 0, {N, N, N, N}, "nothing in common"},
    {{0, 1, 2, 3}, {3, 2, 1, 0}, 0, {C, C, C, C}, "all in the wrong slots"},
    {{0, 1, 2, 3}, {0, 1, 3, 2}, 0, {C, C, E, E}, "colour marks come before exact ones"},
    {{8, 6, 4, 2}, {5, 8, 7, 2}, 0, {C, E, N, N}, "one of each"},
    {{0, 1, 2, 3}, {0, 1, 2, 8}, 0, {E, E, E, N}, "three exact"},
};

} // namespace

TEST_F(GameTest, EvaluateMarksAGuessAgainstTheSecret) {
    for (const EvaluateCase& c : evaluateCases) {
        Row row;
        row.clear();
        for (int i = 0; i < 4; ++i)
            row.setPeg(i, c.guess[i]);
        EXPECT_EQ(row.evaluate(c.secret), c.result) << c.name;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(row.mark(k), c.marks[k]) << c.name << ", mark " << k;
    }
}

TEST_F(GameTest, EvaluateLeavesAnIncompleteRowAlone) {
    const int32_t secret[4] = {0, 1, 2, 3};
    for (int empty = 0; empty < 4; ++empty) {
        Row row;
        for (int i = 0; i < 4; ++i) {
            row.setPeg(i, i);
            row.marks[i] = MarkExact;
        }
        row.setPeg(empty, NoColour);
        EXPECT_EQ(row.evaluate(secret), -1) << "empty slot " << empty;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(row.mark(k), MarkExact) << "empty slot " << empty;
    }
}

namespace {

struct CheckCase {
    int row; // the current row, filled with the guess
    int32_t guess[4];
    int32_t outcome; // after the check
    int currentRow;  // after the check
    const char* name;
};

// With the secret (0, 1, 2, 3) and colour 6 held before the check.
constexpr CheckCase checkCases[] = {
    {0, {0, 1, X, 3}, Playing, 0, "an incomplete row is not checked"},
    {0, {4, 5, 6, 0}, Playing, 1, "a wrong guess moves to the next row"},
    {8, {1, 0, 2, 3}, Playing, 9, "a wrong guess on row 8 still leaves one row"},
    {9, {1, 0, 2, 3}, Lost, 10, "a wrong guess on the last row loses"},
    {9, {0, 1, X, 3}, Playing, 9, "an incomplete last row loses nothing"},
    {4, {0, 1, 2, 3}, Won, 5, "a right guess wins"},
    {9, {0, 1, 2, 3}, Won, 10, "a right guess on the last row wins"},
};

} // namespace

TEST_F(GameTest, CheckRowMovesTheRoundOn) {
    for (const CheckCase& c : checkCases) {
        game->newRound();
        setSecret({0, 1, 2, 3});
        game->currentRow = c.row;
        for (int i = 0; i < 4; ++i)
            game->rows[c.row].setPeg(i, c.guess[i]);
        game->heldColour = 6;
        game->checkRow();
        EXPECT_EQ(game->outcome, c.outcome) << c.name;
        EXPECT_EQ(game->currentRow, c.currentRow) << c.name;
        EXPECT_EQ(game->heldColour, c.outcome == Playing ? 6 : NoColour) << c.name;
        bool complete = c.guess[2] != X;
        EXPECT_EQ(game->rows[c.row].mark(0) != MarkNone, complete) << c.name;
    }
}

namespace {

struct TimeCase {
    Uint32 start; // clock when the round began
    Uint32 win;   // clock when the right guess was checked
    const char* caption;
};

// start, win, caption
constexpr TimeCase timeCases[] = {
    {1000, 1000 + 61537, "Your time:  1 : 1 : 53"},       // minutes, seconds, hundredths
    {0, 3725000, "Your time:  62 : 5 : 0"},               // minutes are not wrapped into hours
    {5000, 5009, "Your time:  0 : 0 : 0"},                // hundredths are cut, not rounded
    {0xFFFFF000u, 0x00000F00u, "Your time:  0 : 7 : 93"}, // the millisecond counter wrapped
};

} // namespace

TEST_F(GameTest, AWinShowsItsTimeInTheCaption) {
    for (const TimeCase& c : timeCases) {
        fakeNow = c.start;
        game->newRound();
        EXPECT_EQ(caption(), "Quandrel");
        EXPECT_EQ(game->startTicks, c.start);
        setSecret({5, 6, 7, 8});
        setRow(0, {5, 6, 7, 8});
        fakeNow = c.win;
        game->checkRow();
        ASSERT_EQ(game->outcome, Won);
        EXPECT_EQ(caption(), c.caption);
    }
}

TEST_F(GameTest, ALossLeavesTheCaptionAlone) {
    setSecret({5, 6, 7, 8});
    game->currentRow = 9;
    setRow(9, {0, 1, 2, 3});
    game->checkRow();
    ASSERT_EQ(game->outcome, Lost);
    EXPECT_EQ(caption(), "Quandrel");
}

TEST_F(GameTest, RandomRowGivesFourDifferentColoursUnlikeTheOldOnes) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::srand(seed);
        setRow(0, {0, 1, 2, 3});
        for (int k = 0; k < 4; ++k)
            game->rows[0].marks[k] = MarkColour;
        game->heldColour = 7;
        game->randomRow();
        const Row& row = game->rows[0];
        std::set<int32_t> colours(row.pegs, row.pegs + 4);
        EXPECT_EQ(colours.size(), 4u) << "seed " << seed;
        for (int32_t c : colours)
            EXPECT_TRUE(c >= 0 && c <= 8) << "seed " << seed;
        EXPECT_GT(row.peg(0), 3) << "seed " << seed;
        EXPECT_NE(row.peg(3), 3) << "seed " << seed;
        EXPECT_EQ(row.mark(0), MarkColour);
        EXPECT_EQ(game->heldColour, 7);
    }
}

TEST_F(GameTest, RandomRowFillsAnEmptyRowWithFourDifferentColours) {
    std::set<int32_t> seen;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::srand(seed);
        game->rows[2].clear();
        game->currentRow = 2;
        game->randomRow();
        const Row& row = game->rows[2];
        std::set<int32_t> colours(row.pegs, row.pegs + 4);
        EXPECT_EQ(colours.size(), 4u) << "seed " << seed;
        EXPECT_TRUE(*colours.begin() >= 0 && *colours.rbegin() <= 8) << "seed " << seed;
        seen.insert(colours.begin(), colours.end());
        EXPECT_EQ(game->rows[1].peg(0), NoColour) << "only the current row changes";
    }
    EXPECT_EQ(seen.size(), 9u) << "every colour turns up";
}

TEST_F(GameTest, NewRoundStartsAfreshWithAFreshSecret) {
    game->currentRow = 7;
    game->outcome = Lost;
    game->heldColour = 4;
    for (int r = 0; r < RowCount; ++r) {
        setRow(r, {1, 2, 3, 4});
        for (int k = 0; k < 4; ++k)
            game->rows[r].marks[k] = MarkExact;
    }
    SDL_WM_SetCaption("Your time:  1 : 2 : 3", nullptr);
    fakeNow = 777;
    game->newRound();
    for (int r = 0; r < RowCount; ++r) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(game->rows[r].peg(k), NoColour) << "row " << r;
            EXPECT_EQ(game->rows[r].mark(k), MarkNone) << "row " << r;
        }
    }
    EXPECT_EQ(game->currentRow, 0);
    EXPECT_EQ(game->outcome, Playing);
    EXPECT_EQ(game->heldColour, NoColour);
    EXPECT_EQ(game->startTicks, 777u);
    EXPECT_EQ(caption(), "Quandrel");
}

TEST_F(GameTest, TheSecretIsSeededByTheClockAndHoldsFourDifferentColours) {
    std::set<std::set<int32_t>> secrets;
    for (Uint32 now = 0; now < 200; ++now) {
        fakeNow = now;
        game->newRound();
        int32_t first[4];
        std::copy(game->secret, game->secret + 4, first);
        std::set<int32_t> colours(first, first + 4);
        EXPECT_EQ(colours.size(), 4u) << "clock " << now;
        EXPECT_TRUE(*colours.begin() >= 0 && *colours.rbegin() <= 8) << "clock " << now;
        secrets.insert(colours);
        game->newRound();
        EXPECT_TRUE(std::equal(first, first + 4, game->secret)) << "same clock, same secret";
    }
    EXPECT_GT(secrets.size(), 50u) << "different clocks give different secrets";
}

namespace {

Uint32 clockCalls = 0;
Uint32 countingClock() {
    return 500 + clockCalls++;
}

} // namespace

TEST_F(GameTest, TheRoundClockStartsAfterTheSecretIsDrawn) {
    readClock = countingClock;
    clockCalls = 0;
    game->newRound();
    EXPECT_EQ(clockCalls, 2u);
    EXPECT_EQ(game->startTicks, 501u) << "the second reading, after the seed";
}

namespace {

struct ButtonCase {
    SDL_Rect source, target, hitArea;
    bool enabled;
    const char* name;
};

// source, target, hitArea, enabled
constexpr ButtonCase buttonCases[] = {
    {{0, 0, 53, 22}, {687, 540, 55, 25}, {645, 535, 135, 30}, true, "CheckButton"},
    {{0, 25, 125, 20}, {652, 20, 125, 20}, {645, 15, 135, 30}, true, "NewGameButton"},
    {{0, 72, 50, 22}, {687, 60, 50, 25}, {645, 55, 135, 30}, true, "QuitButton"},
    {{129, 28, 100, 22}, {350, 200, 100, 23}, {350, 200, 100, 23}, false, "WonBanner"},
    {{0, 98, 215, 26}, {300, 250, 215, 23}, {300, 250, 215, 23}, false, "EndPrompt"},
    {{0, 50, 46, 23}, {305, 300, 46, 23}, {300, 295, 55, 33}, true, "AgainButton"},
    {{48, 50, 33, 23}, {470, 300, 33, 23}, {465, 295, 42, 33}, true, "LeaveButton"},
    {{128, 0, 100, 23}, {350, 200, 100, 23}, {350, 200, 100, 23}, false, "LostBanner"},
};

bool same(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

} // namespace

TEST_F(GameTest, TheGameStartsWithItsButtonsInPlace) {
    EXPECT_EQ(game->mouseX, 0);
    EXPECT_EQ(game->mouseY, 0);
    EXPECT_EQ(game->heldColour, NoColour);
    EXPECT_EQ(game->outcome, Playing);
    EXPECT_EQ(caption(), "Quandrel");
    for (int i = 0; i < ButtonCount; ++i) {
        const Button& b = game->buttons[i];
        const ButtonCase& c = buttonCases[i];
        EXPECT_TRUE(same(b.source, c.source)) << c.name;
        EXPECT_TRUE(same(b.target, c.target)) << c.name;
        EXPECT_TRUE(same(b.hitArea, c.hitArea)) << c.name;
        EXPECT_EQ(b.enabled, c.enabled) << c.name;
    }
}

namespace {

struct ContainsCase {
    int x, y;
    bool inside;
};

// Around the hit area (645, 535, 135, 30), both ends inclusive.
constexpr ContainsCase containsCases[] = {
    {645, 535, true},  {780, 565, true},  {700, 550, true},  {644, 550, false},
    {781, 550, false}, {700, 534, false}, {700, 566, false}, {781, 566, false},
};

} // namespace

TEST_F(GameTest, ContainsTakesBothEndsOfTheHitArea) {
    Button button;
    button.setRects({0, 0, 1, 1}, {0, 0, 1, 1}, {645, 535, 135, 30});
    for (const ContainsCase& c : containsCases) {
        button.setEnabled(true);
        EXPECT_EQ(button.contains(c.x, c.y), c.inside) << c.x << ", " << c.y;
        button.setEnabled(false);
        EXPECT_FALSE(button.contains(c.x, c.y)) << "a picture never reacts";
    }
}
