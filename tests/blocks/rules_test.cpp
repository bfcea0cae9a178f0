// rules_test.cpp: Drapple played tick by tick through updatePlayer, as the game screen plays it.
#include "rules.h"
#include "well_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

//                           left up right down A  B  C  D
constexpr PlayerInput Nothing{0, 0, 0, 0, 0, 0, 0, 0};
constexpr PlayerInput Left{1, 0, 0, 0, 0, 0, 0, 0};
constexpr PlayerInput Right{0, 0, 1, 0, 0, 0, 0, 0};
constexpr PlayerInput Down{0, 0, 0, 1, 0, 0, 0, 0};
constexpr PlayerInput ButtonA{0, 0, 0, 0, 1, 0, 0, 0};
constexpr PlayerInput ButtonB{0, 0, 0, 0, 0, 1, 0, 0};
constexpr PlayerInput LeftAndRight{1, 0, 1, 0, 0, 0, 0, 0};
constexpr PlayerInput BothButtons{0, 0, 0, 0, 1, 1, 0, 0};
constexpr PlayerInput DownRightA{0, 0, 1, 1, 1, 0, 0, 0};

constexpr int32_t Bar = 6; // the vertical bar of four, rows -2 to +1 of its pivot
constexpr int32_t Square = 2;

class Rules : public testing::Test {
  protected:
    void SetUp() override {
        garbageClock = 0;
        startGame(&player, 5);
    }

    // The falling piece as if it had just spawned with this shape, place and turn.
    void place(int32_t piece, int32_t column, int32_t row, int32_t turn = 0) {
        player.piece = piece;
        player.pieceColumn = column;
        player.pieceRow = row;
        player.pieceTurn = turn;
    }

    // A bar down the left column with its pivot in row 22 that locks on the next tick.
    void barLockingNextTick() {
        place(Bar, 0, 22);
        player.fallCounter = 200;
    }

    void play(PlayerInput input, int ticks) {
        player.input = input;
        for (int i = 0; i < ticks; ++i) {
            updatePlayer(&player);
        }
    }

    // Plays until a tick ends with a lock; returns how many ticks that took.
    int playUntilLock(PlayerInput input) {
        player.input = input;
        for (int tick = 1; tick <= 6000; ++tick) {
            updatePlayer(&player);
            if (player.clearPhase == PhaseSettling) {
                return tick;
            }
        }
        ADD_FAILURE() << "the piece never locked";
        return -1;
    }

    Player player;
};

TEST_F(Rules, GravityAndSoftDropPaces) {
    struct Case {
        const char* name;
        PlayerInput input;
        int dropTicks[3]; // ticks after the spawn on which the piece drops a row
    };
    const Case cases[] = {
        {"gravity", Nothing, {199, 400, 601}},
        {"soft drop", Down, {2, 4, 6}},
    };
    for (const Case& c : cases) {
        SetUp();
        place(Square, 3, 2);
        player.input = c.input;
        std::vector<int> drops;
        for (int tick = 1; drops.size() < 3 && tick <= 700; ++tick) {
            int32_t row = player.pieceRow;
            updatePlayer(&player);
            if (player.pieceRow != row) {
                EXPECT_EQ(player.pieceRow, row + 1) << c.name;
                drops.push_back(tick);
            }
        }
        EXPECT_EQ(drops, std::vector<int>(c.dropTicks, c.dropTicks + 3)) << c.name;
    }
}

TEST_F(Rules, SlidesAndTurnsRunTheirAnimationThenRepeat) {
    struct Case {
        const char* name;
        PlayerInput input;
        int32_t Player::*animation; // slideOffset or turnAngle
        int32_t Player::*position;  // pieceColumn or pieceTurn
        int32_t start;              // position before the first tick
        std::vector<int32_t> trace; // animation value after each tick until it ends
        int32_t during;             // position while the animation runs
        int32_t next;               // position once the held input repeats
    };
    const std::vector<int32_t> turnA = {-84, -78, -72, -66, -60, -54, -48, -42,
                                        -36, -30, -24, -18, -12, -6,  0};
    const std::vector<int32_t> turnB = {84, 78, 72, 66, 60, 54, 48, 42, 36, 30, 24, 18, 12, 6, 0};
    const std::vector<int32_t> slideRight = {-169, -138, -107, -76, -45, -14, 0};
    const std::vector<int32_t> slideLeft = {169, 138, 107, 76, 45, 14, 0};
    const Case cases[] = {
        {"slide right", Right, &Player::slideOffset, &Player::pieceColumn, 3, slideRight, 4, 5},
        {"slide left", Left, &Player::slideOffset, &Player::pieceColumn, 3, slideLeft, 2, 1},
        {"turn with A", ButtonA, &Player::turnAngle, &Player::pieceTurn, 0, turnA, 1, 2},
        {"turn with B", ButtonB, &Player::turnAngle, &Player::pieceTurn, 0, turnB, 3, 2},
        {"A past the last turn", ButtonA, &Player::turnAngle, &Player::pieceTurn, 3, turnA, 0, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        place(3, 3, 10); // the T in open space
        player.*c.position = c.start;
        std::vector<int32_t> trace;
        for (size_t tick = 0; tick < c.trace.size(); ++tick) {
            play(c.input, 1);
            trace.push_back(player.*c.animation);
            EXPECT_EQ(player.*c.position, c.during) << c.name << " tick " << tick + 1;
        }
        EXPECT_EQ(trace, c.trace) << c.name;
        play(c.input, 1);
        EXPECT_EQ(player.*c.position, c.next) << c.name << ": the held input repeats";
        EXPECT_EQ(player.*c.animation, c.trace[0]) << c.name;
    }
}

TEST_F(Rules, BlockedAndCancelledMovesChangeNothing) {
    struct Case {
        const char* name;
        std::vector<const char*> rows; // rows 20 to 23
        int32_t piece, column, row, turn;
        PlayerInput input;
    };
    const Case cases[] = {
        {"right against the wall", {}, Square, 6, 20, 0, Right},
        {"left against the wall", {}, Square, 0, 20, 0, Left},
        {"right against a block",
         {".....1..", "........", "........", "........"},
         Square,
         3,
         20,
         0,
         Right},
        {"A into a block",
         {".1......", "........", "........", "........"},
         Bar,
         3,
         20,
         0,
         ButtonA},
        {"B into the wall", {}, Bar, 6, 20, 0, ButtonB},
        {"left and right together", {}, Square, 3, 20, 0, LeftAndRight},
        {"A and B together", {}, Bar, 3, 20, 0, BothButtons},
    };
    for (const Case& c : cases) {
        SetUp();
        if (!c.rows.empty()) {
            fillBottom(&player, {c.rows[0], c.rows[1], c.rows[2], c.rows[3]});
        }
        place(c.piece, c.column, c.row, c.turn);
        for (int tick = 1; tick <= 10; ++tick) {
            play(c.input, 1);
            EXPECT_EQ(player.pieceColumn, c.column) << c.name << " tick " << tick;
            EXPECT_EQ(player.pieceTurn, c.turn) << c.name << " tick " << tick;
            EXPECT_EQ(player.slideOffset, 0) << c.name << " tick " << tick;
            EXPECT_EQ(player.turnAngle, 0) << c.name << " tick " << tick;
            EXPECT_EQ(player.slideSpeed, 0) << c.name << " tick " << tick;
            EXPECT_EQ(player.turnSpeed, 0) << c.name << " tick " << tick;
        }
    }
}

TEST_F(Rules, BlockedSlideIsTriedAgainEveryTick) {
    fillBottom(&player, {".....1..", "........", "........", "........"});
    place(Square, 3, 20);
    play(Right, 3);
    EXPECT_EQ(player.pieceColumn, 3);
    player.cells[5][20] = EmptyCell;
    play(Right, 1);
    EXPECT_EQ(player.pieceColumn, 4);
    EXPECT_EQ(player.slideOffset, -169);
}

TEST_F(Rules, LockWritesTheTurnedPieceAndBringsTheNext) {
    struct Case {
        int32_t piece, turn;
        const char* row22;
        const char* row23;
    };
    constexpr Case cases[] = {
        {3, 0, "...4....", "..444..."}, // T
        {0, 1, "...11...", "..11...."}, // S shape turned once
        {2, 1, "...33...", "...33..."}, // square, footprint moved up by the turn
        {6, 1, "........", ".7777..."}, // bar lying down
        {7, 0, "...88...", "...8...."}, // three cells, never a fourth
        {7, 2, "...8....", "..88...."}, // three cells turned over
    };
    for (const Case& c : cases) {
        SetUp();
        place(c.piece, 3, 2, c.turn);
        const int32_t next = player.nextPiece;
        playUntilLock(Down);
        EXPECT_EQ(bottomRows(player, 21), (std::vector<std::string>{"........", c.row22, c.row23}))
            << "piece " << c.piece << " turn " << c.turn;
        EXPECT_EQ(player.piece, next);
        EXPECT_EQ(player.pieceRow, 2);
        EXPECT_EQ(player.pieceColumn, 3);
        EXPECT_EQ(player.pieceTurn, 0);
        EXPECT_EQ(player.score, 0) << "locking scores nothing";
    }
}

TEST_F(Rules, FourRowsFromAFreshChain) {
    fillBottom(&player, {
                            "..3.....",
                            ".2222222",
                            ".5555555",
                            ".6G66666",
                            ".1111181",
                        });
    const std::vector<std::string> removed = bottomRows(player, 20);
    place(Bar, 0, 2);
    const int32_t next = player.nextPiece;
    const std::vector<int> draws = randSequence(123, 34);
    srand(123); // play ticks draw nothing, so the lock's draws start here
    playUntilLock(Down);

    EXPECT_EQ(player.score, 15);
    EXPECT_EQ(player.chainValue, 16);
    EXPECT_EQ(player.chainTimer, 180);
    EXPECT_EQ(player.lockPoints, 0);
    EXPECT_EQ(bottomRows(player, 19), (std::vector<std::string>{"........", "........", "........",
                                                                "........", "..3....."}));
    const int32_t shown[] = {1, 2, 4, 8};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(player.popups[i].value, shown[i]);
        EXPECT_EQ(player.popups[i].y, 200 * (23 - i)) << "at the row the line was in";
        EXPECT_EQ(player.popups[i].x, 1) << "one tick old at the end of the lock's tick";
    }
    EXPECT_EQ(player.popups[4].value, 0);
    for (int slot = 0; slot < 32; ++slot) {
        const int row = 23 - slot / 8;
        const int column = slot % 8;
        const Particle& debris = player.particles[slot];
        const int32_t launch = -10 * (draws[slot] % 12);
        // Created, then moved once in the same tick.
        EXPECT_EQ(charFromCell(debris.value), (column == 0 ? '7' : removed[row - 20][column]))
            << "slot " << slot;
        EXPECT_EQ(debris.vx, 2 * column - 8) << "slot " << slot;
        EXPECT_EQ(debris.vy, launch + 4) << "slot " << slot;
        EXPECT_EQ(debris.x, 200 * column + 2 * column - 8) << "slot " << slot;
        EXPECT_EQ(debris.y, 200 * row + launch + 4) << "slot " << slot;
    }
    EXPECT_EQ(player.particles[32].value, 0);
    EXPECT_EQ(player.nextPiece, draws[32] % 8) << "the spawn draws after the debris";
    EXPECT_EQ(player.piece, next);
}

// Puts `lines` rows at the bottom that the bar down the left column completes.
void fillLines(Player* player, int lines) {
    for (int row = BoardRows - lines; row < BoardRows; ++row) {
        for (int column = 1; column < BoardColumns; ++column) {
            player->cells[column][row] = 1;
        }
    }
}

TEST_F(Rules, ChainDoublesUpToSixtyFour) {
    struct Case {
        int32_t chainValue;
        int lines;
        int32_t points;
        int32_t chainAfter;
    };
    constexpr Case cases[] = {
        {1, 4, 15, 16},  // 1 + 2 + 4 + 8
        {16, 1, 16, 32}, // a fifth line within the chain
        {32, 2, 96, 64}, // 32 + 64
        {64, 1, 64, 64}, // doubling 64 gives 64 again
        {64, 3, 192, 64},
    };
    for (const Case& c : cases) {
        SetUp();
        fillLines(&player, c.lines);
        barLockingNextTick();
        player.chainValue = c.chainValue;
        player.chainTimer = 100;
        player.score = 1000;
        play(Nothing, 1);
        ASSERT_EQ(player.clearPhase, PhaseSettling);
        EXPECT_EQ(player.score, 1000 + c.points) << c.chainValue << " x" << c.lines;
        EXPECT_EQ(player.chainValue, c.chainAfter) << c.chainValue << " x" << c.lines;
    }
}

TEST_F(Rules, ChainEndsOnThePlayTickThatFindsTheTimerAtZero) {
    struct Case {
        int32_t chainTimer; // before the first tick
        int ticks;          // play ticks until the line is made
        int32_t points;
    };
    constexpr Case cases[] = {
        {1, 1, 8}, // the timer reaches 0 in the line's own tick: the chain holds
        {1, 2, 1}, // one play tick later the chain is over
        {2, 2, 8},
        {0, 1, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        fillLines(&player, 1);
        place(Bar, 0, 22);
        player.fallCounter = 201 - c.ticks;
        player.chainValue = 8;
        player.chainTimer = c.chainTimer;
        play(Nothing, c.ticks);
        ASSERT_EQ(player.clearPhase, PhaseSettling);
        EXPECT_EQ(player.score, c.points) << "timer " << c.chainTimer << ", " << c.ticks;
        EXPECT_EQ(player.chainTimer, 180);
    }
}

TEST_F(Rules, SettleHoldsThePieceTheChainTimerAndTheGarbageClock) {
    struct Case {
        int lines;
        int settleTicks; // ticks that end with rows still settling, the lock's own included
    };
    constexpr Case cases[] = {{0, 1}, {1, 10}, {2, 14}, {3, 17}, {4, 20}};
    for (const Case& c : cases) {
        SetUp();
        fillLines(&player, c.lines);
        barLockingNextTick();
        player.chainTimer = 50;
        garbageClock = 300;
        play(DownRightA, 1);
        ASSERT_EQ(player.clearPhase, PhaseSettling);
        const int32_t timer = player.chainTimer;
        EXPECT_EQ(timer, c.lines > 0 ? 180 : 49);
        const Player locked = player;
        int settling = 1;
        while (player.clearPhase == PhaseSettling && settling < 100) {
            play(DownRightA, 1);
            settling += player.clearPhase == PhaseSettling;
            EXPECT_EQ(player.fallCounter, locked.fallCounter) << c.lines;
            EXPECT_EQ(player.pieceColumn, locked.pieceColumn) << c.lines;
            EXPECT_EQ(player.pieceTurn, locked.pieceTurn) << c.lines;
            EXPECT_EQ(player.chainTimer, timer) << c.lines;
            EXPECT_EQ(garbageClock, 301) << c.lines;
        }
        EXPECT_EQ(settling, c.settleTicks) << c.lines << " rows";
        for (const Particle& settle : player.rowSettle) {
            EXPECT_EQ(settle.value, 0);
            EXPECT_EQ(settle.y, 0);
        }
        if (c.lines > 0) {
            EXPECT_NE(player.particles[0].y, locked.particles[0].y) << "debris flies on";
            EXPECT_EQ(player.popups[0].x, locked.popups[0].x + settling);
        }
        play(DownRightA, 1);
        EXPECT_EQ(player.pieceColumn, locked.pieceColumn + 1) << "the piece runs again";
        EXPECT_EQ(player.chainTimer, timer - 1);
        EXPECT_EQ(garbageClock, 302);
    }
}

TEST_F(Rules, TwoRowsAroundAKeptRow) {
    fillBottom(&player, {
                            "...4....",
                            "........",
                            ".1111111",
                            ".2......",
                            ".3333333",
                        });
    barLockingNextTick();
    play(Nothing, 1);
    EXPECT_EQ(bottomRows(player, 19), (std::vector<std::string>{
                                          "........",
                                          "........",
                                          "...4....",
                                          "7.......",
                                          "72......",
                                      }));
    EXPECT_EQ(player.score, 3);
    // Lifted by the rows removed below, less the first pass of 4.
    EXPECT_EQ(player.rowSettle[23].y, -196) << "the kept row fell one row";
    EXPECT_EQ(player.rowSettle[22].y, -396) << "the rows above fell two";
    EXPECT_EQ(player.rowSettle[0].y, -396);
    EXPECT_EQ(player.popups[0].y, 200 * 23);
    EXPECT_EQ(player.popups[1].y, 200 * 21);
}

TEST_F(Rules, RowZeroIsNeverRemoved) {
    struct Case {
        int32_t fullRow;
        int32_t points;
        int32_t stillFull; // 1 when the row is still full afterwards
    };
    constexpr Case cases[] = {{0, 0, 1}, {1, 1, 0}};
    for (const Case& c : cases) {
        SetUp();
        for (auto& column : player.cells) {
            column[c.fullRow] = 5;
        }
        barLockingNextTick();
        play(Nothing, 1);
        EXPECT_EQ(player.score, c.points) << "row " << c.fullRow;
        EXPECT_EQ(bottomRows(player, 0)[c.fullRow] == "55555555", c.stillFull == 1)
            << "row " << c.fullRow;
    }
}

TEST_F(Rules, GarbageClockQueuesARowEvery1201PlayTicks) {
    garbageClock = 0;
    play(Nothing, 1200);
    EXPECT_EQ(player.garbagePending, 0);
    EXPECT_EQ(garbageClock, 1200);
    play(Nothing, 1);
    EXPECT_EQ(player.garbagePending, 1);
    EXPECT_EQ(garbageClock, 0);
    EXPECT_LT(player.pieceRow, 20) << "no lock happened meanwhile";
}

TEST_F(Rules, GarbageClockRunsOnAcrossGames) {
    garbageClock = 700;
    startGame(&player, 3);
    EXPECT_EQ(garbageClock, 700);
}

TEST_F(Rules, PendingGarbageRisesAfterTheNextSettle) {
    struct Case {
        int32_t pending;
        const char* rows[6]; // rows 18 to 23 afterwards; "*" is a garbage row with its drawn hole
    };
    constexpr Case cases[] = {
        {0, {"........", "........", "........", "........", "335.....", "33..GGGG"}},
        {3, {"........", "335.....", "33..GGGG", "*", "*", "*"}},
    };
    for (const Case& c : cases) {
        SetUp();
        fillBottom(&player, {"..5.....", "....GGGG"});
        place(Square, 0, 22);
        player.fallCounter = 200;
        player.garbagePending = c.pending;
        const std::vector<int> draws = randSequence(99, 26);
        srand(99);
        play(Nothing, 1);
        ASSERT_EQ(player.clearPhase, PhaseSettling);
        EXPECT_EQ(bottomRows(player, 22), (std::vector<std::string>{"335.....", "33..GGGG"}))
            << "nothing rises before the settle ends";
        play(Nothing, 1);
        ASSERT_EQ(player.clearPhase, PhasePlay);
        EXPECT_EQ(player.garbagePending, 0);
        EXPECT_EQ(rand(), draws[25]) << "one draw for the spawn and one for every row";

        std::vector<std::string> want;
        for (int row = 18; row < BoardRows; ++row) {
            std::string text = c.rows[row - 18];
            if (text == "*") {
                text = "GGGGGGGG";
                text[draws[1 + row] % 8] = '.'; // rows draw top to bottom, after the spawn
            }
            want.push_back(text);
        }
        EXPECT_EQ(bottomRows(player, 18), want) << c.pending << " pending";
    }
}

// Fills rows `top` to 23 except the right column, so that no row is ever full.
void fillStack(Player* player, int32_t top) {
    for (int32_t row = top; row < BoardRows; ++row) {
        for (int32_t column = 0; column < BoardColumns - 1; ++column) {
            player->cells[column][row] = GarbageCell;
        }
    }
}

TEST_F(Rules, PieceLockedWithoutDroppingEndsTheGame) {
    for (int32_t piece = 0; piece < PieceCount; ++piece) {
        for (int32_t turn = 0; turn < 4; ++turn) {
            SetUp();
            int32_t lowest = 0; // lowest cell below the pivot
            for (int i = 0; i < PieceCells && pieceShapes[piece][i].dx != ShapeEnd; ++i) {
                CellOffset cell =
                    rotateCell(pieceShapes[piece][i].dx, pieceShapes[piece][i].dy, turn);
                lowest = std::max(lowest, cell.dy);
            }
            fillStack(&player, 2 + lowest + 1); // right under the piece at the start
            place(piece, 3, 2, turn);
            ASSERT_FALSE(isToppedOut(&player));
            player.input = Nothing;
            while (player.clearPhase == PhasePlay) {
                ASSERT_EQ(player.pieceRow, 2) << "piece " << piece << " turn " << turn;
                updatePlayer(&player);
            }
            EXPECT_TRUE(isToppedOut(&player)) << "piece " << piece << " turn " << turn;
        }
    }
}

TEST_F(Rules, PieceThatDroppedARowLocksBelowTheTopZone) {
    fillStack(&player, 5);
    place(Square, 3, 2);
    playUntilLock(Nothing);
    EXPECT_EQ(bottomRows(player, 2)[0], "........");
    EXPECT_EQ(bottomRows(player, 2)[1], "...33...");
    EXPECT_FALSE(isToppedOut(&player));
}

TEST_F(Rules, PopupsShowForSixtyTicks) {
    fillLines(&player, 1);
    barLockingNextTick();
    int shown = 0;
    for (int tick = 0; tick < 100; ++tick) {
        play(Nothing, 1);
        shown += player.popups[0].value != 0;
    }
    EXPECT_EQ(shown, 60);
    EXPECT_EQ(player.popups[0].x, 0);
}

TEST(UpdateParticles, DebrisFallsAndIsFreedPastTheBottom) {
    struct Case {
        int32_t y;
        int32_t wantValue; // freed only once y has passed 4800
    };
    constexpr Case cases[] = {{4800, 3}, {4801, 0}, {-100, 3}};
    for (const Case& c : cases) {
        Player player{};
        player.particles[5] = Particle{100, c.y, -6, -50, 3};
        updateParticles(&player);
        const Particle& debris = player.particles[5];
        EXPECT_EQ(debris.value, c.wantValue) << c.y;
        EXPECT_EQ(debris.vy, -46) << "pulled down by 4";
        EXPECT_EQ(debris.x, 94);
        EXPECT_EQ(debris.y, c.y - 46);
        EXPECT_EQ(player.particles[4].y, 0) << "free slots stay still";
    }
}

TEST_F(Rules, FullEffectTablesDropDebrisAndNumbersButKeepThePoints) {
    for (int slot = 0; slot < ParticleCount - 3; ++slot) {
        player.particles[slot] = Particle{0, 0, 0, 0, 1};
    }
    for (Particle& popup : player.popups) {
        popup = Particle{10, 0, 0, 0, 4};
    }
    fillLines(&player, 1);
    barLockingNextTick();
    play(Nothing, 1);
    EXPECT_EQ(player.score, 1);
    EXPECT_EQ(player.particles[ParticleCount - 1].value, 1) << "three columns got debris";
    EXPECT_EQ(player.particles[ParticleCount - 1].vx, -4);
    for (const Particle& popup : player.popups) {
        EXPECT_EQ(popup.value, 4) << "no room for another number";
    }
}

// The rules never write a falling piece outside the well, even from a position that play cannot
// reach; debug builds stop there instead.
TEST_F(Rules, LockOutsideTheWellWritesOnlyCellsInside) {
    place(3, 7, 23); // cells at columns 6 to 8, the last one past the right wall
    player.fallCounter = 200;
#ifdef NDEBUG
    const Player before = player;
    play(Nothing, 1);
    EXPECT_EQ(bottomRows(player, 22), (std::vector<std::string>{".......4", "......44"}));
    // Column 8 of the well would lie over the fields that follow the board.
    EXPECT_EQ(0, std::memcmp(player.particles, before.particles, sizeof player.particles));
    EXPECT_EQ(0, std::memcmp(&player.input, &before.input, sizeof player.input));
    EXPECT_EQ(player.score, 0);
#else
    EXPECT_DEATH(play(Nothing, 1), "outside the well");
#endif
}

} // namespace
