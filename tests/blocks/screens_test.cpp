// screens_test.cpp: title, game and result screens driven tick by tick through their steps,
// with pictures of plain colours in a scratch folder.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "rules.h"
#include "screen_fixture.h"
#include "screens.h"

namespace {

constexpr Colour TitleColour = {30, 100, 160};
constexpr Colour CursorColour = {250, 200, 0};
constexpr Colour FrameColour = {70, 0, 90};
constexpr Colour PanelColour = {0, 90, 70};

const char* const allPictures[] = {"backtitle.bmp", "char.bmp",    "back1p.bmp",
                                   "block.bmp",     "resault.bmp", "char/1/back.bmp"};

void save(SDL_Surface* picture, const char* name) {
    ASSERT_EQ(SDL_SaveBMP(picture, name), 0) << name;
    SDL_FreeSurface(picture);
}

class ScreensTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        char folder[] = "/tmp/drapple_screens_XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        scratch = folder;
        ASSERT_EQ(chdir(folder), 0);
        mkdir("char", 0755);
        mkdir("char/1", 0755);
        save(makeSurface(640, 480, 24, TitleColour), "backtitle.bmp");
        save(makeSurface(190, 50, 24, CursorColour), "char.bmp");
        SDL_Surface* frame = makeSurface(640, 480, 24, FrameColour);
        fillRect(frame, 240, 0, 160, 440, KeyGreen); // the window over the well
        save(frame, "back1p.bmp");
        save(makeBlockSheet(24), "block.bmp");
        SDL_Surface* result = makeSurface(640, 480, 24, KeyGreen);
        fillRect(result, 200, 200, 240, 100, PanelColour);
        save(result, "resault.bmp");
        save(makeSurface(180, 450, 24, WellBackColour), "char/1/back.bmp");
        digitSheet = makeDigitSheet();
        context = new GameContext{};
        currentScreen = titleScreen;
        baseline = liveImageCount();
    }
    void TearDown() override {
        freeImage(&backImage);
        freeImage(&cursorImage);
        freeImage(&blockSheet);
        freeImage(&context->players[0].characterBack);
        titleLoaded = gameLoaded = resultLoaded = 0;
        SDL_FreeSurface(digitSheet);
        digitSheet = nullptr;
        delete context;
        for (const char* name : allPictures)
            std::remove(name);
        rmdir("char/1");
        rmdir("char");
        if (chdir("/") == 0)
            rmdir(scratch.c_str());
    }
    // One tick as the loop runs it, with the given controls held.
    void tick(PlayerInput held = {}) {
        context->players[0].input = held;
        currentScreen(context);
    }
    void enterGame() {
        tick();                         // title loads
        tick({0, 0, 0, 0, 1, 0, 0, 0}); // Z on the first line
        ASSERT_EQ(currentScreen, gameScreen);
        tick(); // game loads and sets up the player
    }
    // Fills the top zone so that the next game tick ends the game.
    void topOut() {
        context->players[0].cells[0][2] = 1;
        tick();
        ASSERT_EQ(currentScreen, resultScreen);
    }
    // The first line's cursor over the title picture, or the second's.
    static Picture titlePicture(int choice) {
        Picture picture;
        picture.fill(0, 0, 640, 480, TitleColour);
        picture.fill(440, 140 + 60 * choice, 190, 50, CursorColour);
        return picture;
    }
    std::string scratch;
    GameContext* context = nullptr;
    int32_t baseline = 0;
};

TEST_F(ScreensTest, TitleLoadsSilentlyThenTheCursorFollowsDown) {
    tick();
    EXPECT_EQ(liveImageCount(), baseline + 2);
    EXPECT_TRUE(screenShows(Picture{})) << "the loading tick draws nothing";
    tick();
    EXPECT_TRUE(screenShows(titlePicture(0)));
    tick({0, 0, 0, 1, 0, 0, 0, 0});
    EXPECT_EQ(titleChoice, 1);
    EXPECT_TRUE(screenShows(titlePicture(1)));
    tick();
    EXPECT_EQ(titleChoice, 0);
    EXPECT_TRUE(screenShows(titlePicture(0)));
    EXPECT_EQ(currentScreen, titleScreen);
}

TEST_F(ScreensTest, ChoosingTheSecondLineAsksToQuit) {
    for (PlayerInput held :
         {PlayerInput{0, 0, 0, 1, 1, 0, 0, 0}, PlayerInput{0, 0, 0, 1, 0, 1, 0, 0}}) {
        context->quitRequested = 0;
        tick();
        tick(held);
        EXPECT_EQ(context->quitRequested, 1);
        EXPECT_EQ(currentScreen, titleScreen);
        EXPECT_EQ(titleLoaded, 0);
        EXPECT_EQ(liveImageCount(), baseline);
        EXPECT_EQ(backImage, nullptr);
        EXPECT_EQ(cursorImage, nullptr);
    }
}

TEST_F(ScreensTest, GameStartsFromAFreshPlayer) {
    Player& player = context->players[0];
    player.score = 99;
    player.chainValue = 8;
    player.chainTimer = 40;
    player.cells[4][20] = 3;
    player.particles[9].value = 2;
    player.popups[1].value = 4;
    enterGame();
    EXPECT_EQ(liveImageCount(), baseline + 3); // frame, block sheet, well background
    EXPECT_NE(player.characterBack, nullptr);
    EXPECT_TRUE(screenShows(titlePicture(0))) << "the loading tick draws nothing";
    EXPECT_EQ(player.score, 0);
    EXPECT_EQ(player.chainValue, 1);
    EXPECT_EQ(player.chainTimer, 0);
    EXPECT_EQ(player.cells[4][20], 0);
    EXPECT_EQ(player.particles[9].value, 0);
    EXPECT_EQ(player.popups[1].value, 0);
    EXPECT_EQ(player.pieceRow, 2);
    EXPECT_EQ(player.pieceColumn, 3);
}

TEST_F(ScreensTest, GameTickDrawsTheWellUnderTheFrame) {
    enterGame();
    Player& player = context->players[0];
    player.score = 4321;
    player.garbagePending = 2;
    player.chainTimer = 11; // one tick runs before the drawing: 10 left, 20 pixels
    player.cells[1][23] = GarbageCell;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 200, 30, 30)); // an earlier frame
    tick();
    EXPECT_EQ(player.chainTimer, 10);
    // Above the well's background the window is cleared, not left with the earlier frame.
    EXPECT_EQ(pixelAt(screen, 250, 10), (Colour{0, 0, 0}));
    EXPECT_EQ(pixelAt(screen, 399, 24), (Colour{0, 0, 0}));
    EXPECT_EQ(currentScreen, gameScreen);
    // Frame, well background and the block in the window; the score's digits; the side display.
    EXPECT_EQ(pixelAt(screen, 10, 10), FrameColour);
    EXPECT_EQ(pixelAt(screen, 239, 300), FrameColour);
    EXPECT_EQ(pixelAt(screen, 250, 300), WellBackColour);
    EXPECT_EQ(pixelAt(screen, 265, 425), blockColours[GarbageCell]);
    EXPECT_EQ(pixelAt(screen, 575, 180), digitColours[1]);
    EXPECT_EQ(pixelAt(screen, 545, 180), digitColours[4]);
    EXPECT_EQ(pixelAt(screen, 425, 180), digitColours[0]);
    EXPECT_EQ(pixelAt(screen, 410, 425), blockColours[GarbageCell]);
    EXPECT_EQ(pixelAt(screen, 410, 405), blockColours[GarbageCell]);
    EXPECT_EQ(pixelAt(screen, 410, 385), FrameColour);
    EXPECT_EQ(pixelAt(screen, 402, 420), GaugeColour);
    EXPECT_EQ(pixelAt(screen, 402, 419), FrameColour);
    EXPECT_EQ(pixelAt(screen, 455, 85), blockColours[PreviewSprite]);
}

TEST_F(ScreensTest, ToppingOutShowsTheLastPictureThenFreesTheGame) {
    enterGame();
    Player& player = context->players[0];
    topOut();
    EXPECT_EQ(pixelAt(screen, 10, 10), FrameColour) << "the last game tick still draws";
    EXPECT_EQ(pixelAt(screen, 245, 5), blockColours[1]);
    EXPECT_EQ(gameLoaded, 0);
    EXPECT_EQ(liveImageCount(), baseline);
    EXPECT_EQ(player.characterBack, nullptr);
    EXPECT_EQ(blockSheet, nullptr);
    EXPECT_EQ(backImage, nullptr);
}

TEST_F(ScreensTest, ResultShowsTheScoreOverTheLastGamePictureFor121Ticks) {
    enterGame();
    topOut();
    context->players[0].score = 305;
    tick(); // the result's loading tick lays its panel over the game
    EXPECT_EQ(liveImageCount(), baseline + 1);
    EXPECT_EQ(pixelAt(screen, 10, 10), FrameColour);
    EXPECT_EQ(pixelAt(screen, 210, 210), PanelColour);
    int scoreTicks = 0;
    while (currentScreen == resultScreen && scoreTicks < 500) {
        fillRect(screen, 0, 0, 640, 480, Backdrop); // every tick draws the whole picture
        tick();
        ++scoreTicks;
        ASSERT_EQ(pixelAt(screen, 10, 10), FrameColour);
        ASSERT_EQ(pixelAt(screen, 245, 5), blockColours[1]);
        ASSERT_EQ(pixelAt(screen, 210, 210), PanelColour);
        ASSERT_EQ(pixelAt(screen, 405, 250), digitColours[5]);
        ASSERT_EQ(pixelAt(screen, 385, 250), digitColours[3]);
        ASSERT_EQ(pixelAt(screen, 255, 250), digitColours[0]);
    }
    EXPECT_EQ(scoreTicks, 121);
    EXPECT_EQ(currentScreen, titleScreen);
    EXPECT_EQ(resultLoaded, 0);
    EXPECT_EQ(liveImageCount(), baseline);
}

TEST_F(ScreensTest, FullRoundTwiceLeavesNoPictureBehind) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        enterGame();
        for (int i = 0; i < 50; ++i)
            tick({0, 0, 0, 1, 0, 0, 0, 0}); // soft drop
        EXPECT_EQ(currentScreen, gameScreen);
        topOut();
        while (currentScreen == resultScreen)
            tick();
        EXPECT_EQ(liveImageCount(), baseline);
        EXPECT_EQ(context->players[0].score, 0);
    }
    // Z still held from the result starts the next game on the title's first drawn tick.
    tick({0, 0, 0, 0, 1, 0, 0, 0});
    tick({0, 0, 0, 0, 1, 0, 0, 0});
    EXPECT_EQ(currentScreen, gameScreen);
}

TEST_F(ScreensTest, MissingPicturesAreNamedAndPlayGoesOn) {
    for (const char* name : allPictures)
        std::remove(name);
    testing::internal::CaptureStdout();
    enterGame();
    for (int i = 0; i < 5; ++i)
        tick();
    topOut();
    while (currentScreen == resultScreen)
        tick();
    std::fflush(stdout);
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(liveImageCount(), baseline);
    for (const char* name : allPictures) {
        std::string line = std::string(ImageUnreadableText) + ":" + name + "\n";
        EXPECT_NE(said.find(line), std::string::npos) << name;
    }
    // Without its picture the result still shows the score.
    EXPECT_EQ(pixelAt(screen, 405, 250), digitColours[0]);
}

} // namespace
