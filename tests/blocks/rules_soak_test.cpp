// rules_soak_test.cpp: long seeded games of Drapple with random held controls, checked every tick.
#include "rule_checks.h"
#include "rules.h"
#include "well_text.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

// Random controls, each set held for a random number of ticks as a restless player would.
class RestlessPlayer {
  public:
    explicit RestlessPlayer(unsigned seed) : random_(seed) {}

    PlayerInput next() {
        if (holdTicks_ == 0) {
            held_ = PlayerInput{chance(30), chance(10), chance(30), chance(25),
                                chance(25), chance(25), chance(10), chance(10)};
            holdTicks_ = 1 + static_cast<int>(random_() % 40);
        }
        --holdTicks_;
        return held_;
    }

  private:
    int32_t chance(unsigned percent) { return random_() % 100 < percent ? 1 : 0; }

    std::mt19937 random_;
    PlayerInput held_{};
    int holdTicks_ = 0;
};

struct SoakTotals {
    long ticks = 0;
    long games = 0;
    long locks = 0;
    long scoringLocks = 0;
    long garbageRises = 0;
};

// Plays games back to back, as the screens do, for `ticks` ticks; stops at the first fault.
void soak(unsigned seed, long ticks, SoakTotals* totals) {
    Player player;
    RestlessPlayer hands(seed * 7919u + 1);
    startGame(&player, seed);
    totals->games += 1;
    for (long tick = 0; tick < ticks; ++tick) {
        const int32_t score = player.score;
        const int32_t phase = player.clearPhase;
        const int32_t pending = player.garbagePending;
        player.input = hands.next();
        updatePlayer(&player);
        ASSERT_TRUE(stateIsSound(player, score)) << "seed " << seed << " tick " << tick;
        totals->locks += phase == PhasePlay && player.clearPhase == PhaseSettling;
        totals->scoringLocks += player.score > score;
        totals->garbageRises += pending > 0 && player.garbagePending == 0;
        if (isToppedOut(&player)) {
            resetPlayerState(&player);
            spawnPiece(&player);
            totals->games += 1;
        }
    }
    totals->ticks += ticks;
}

TEST(RulesSoak, SeededGamesWithRandomControlsKeepASoundState) {
    garbageClock = 0;
    SoakTotals totals;
    const unsigned seeds[] = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89};
    for (unsigned seed : seeds) {
        soak(seed, 40000, &totals);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_GE(totals.ticks, 200000);
    // The run only means something if it went through every part of play.
    EXPECT_GT(totals.games, 10);
    EXPECT_GT(totals.locks, 1000);
    EXPECT_GT(totals.scoringLocks, 10);
    EXPECT_GT(totals.garbageRises, 10);
    std::cout << totals.ticks << " ticks, " << totals.games << " games, " << totals.locks
              << " locks, " << totals.scoringLocks << " scoring locks, " << totals.garbageRises
              << " garbage rises\n";
}

// Returns the well as text after a seeded game with seeded controls.
std::vector<std::string> playSeeded(unsigned seed, long ticks, int32_t* score) {
    Player player;
    RestlessPlayer hands(seed);
    garbageClock = 0;
    startGame(&player, seed);
    for (long tick = 0; tick < ticks && !isToppedOut(&player); ++tick) {
        player.input = hands.next();
        updatePlayer(&player);
    }
    *score = player.score;
    std::vector<std::string> rows = bottomRows(player, 0);
    rows.push_back(std::to_string(player.piece) + " " + std::to_string(player.nextPiece) + " " +
                   std::to_string(player.pieceColumn) + " " + std::to_string(player.pieceRow));
    return rows;
}

TEST(RulesSoak, OneSeedAndOneInputStreamGiveOneGame) {
    int32_t firstScore = 0;
    int32_t secondScore = 0;
    const std::vector<std::string> first = playSeeded(4242, 20000, &firstScore);
    const std::vector<std::string> second = playSeeded(4242, 20000, &secondScore);
    EXPECT_EQ(first, second);
    EXPECT_EQ(firstScore, secondScore);
    int32_t otherScore = 0;
    EXPECT_NE(playSeeded(4243, 20000, &otherScore), first) << "another seed plays another game";
}

} // namespace
