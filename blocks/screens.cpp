// screens.cpp: the title menu, the playing field and the result screen, and a new game's setup.
#include "screens.h"

#include "loop.h"
#include "rules.h"
#include "sprites.h"
#include "well.h"

SDL_Surface* backImage = nullptr;
SDL_Surface* cursorImage = nullptr;
int32_t titleLoaded = 0;
int32_t gameLoaded = 0;
int32_t resultLoaded = 0;
int32_t titleChoice = 0;
int32_t resultFrames = 0;

namespace {

constexpr int32_t CursorX = 440;
constexpr int32_t CursorY = 140;   // the first menu line
constexpr int32_t CursorStep = 60; // down to the second line
constexpr int32_t CursorWidth = 190;
constexpr int32_t CursorHeight = 50;
constexpr int32_t WellX = 240; // the well's origin on the playing field
constexpr int32_t WellY = 40;
constexpr int32_t ScoreDigits = 16;
constexpr int32_t ResultTicks = 120; // the result stays for one tick more than this

void drawWhole(SDL_Surface* picture, SDL_Surface* target) {
    if (picture && target)
        drawSprite(picture, 0, 0, picture->w, picture->h, target, 0, 0);
}

// The frame leaves the well open from the top of the screen, but the well's background starts 25
// pixels lower; without this the strip above it would keep whatever an earlier frame left there.
void clearWell() {
    SDL_Rect well = {WellX, 0, BoardColumns * 20, 440};
    SDL_FillRect(screen, &well, SDL_MapRGB(screen->format, 0, 0, 0));
}

void drawGameScreen(const Player* player) {
    if (screen)
        clearWell();
    drawBoard(player, WellX, WellY);
    drawWhole(backImage, screen); // the frame; its green window shows the well
    drawNumber(player->score, ScoreDigits, 410, 170);
    drawNextPiece(player, 450, 80);
    drawStack(player, 405, 422);
    drawGauge(player, 402, 440);
    drawParticles(player, WellX, WellY);
    drawPopups(player, 410, WellY);
}

// The result panel is laid over the last picture of the game, and that composition is kept as
// the picture shown until the title returns.
void composeResultPicture() {
    backImage = loadImage("resault.bmp");
    if (!backImage || !screen)
        return; // nothing to lay over the game: it stays on show as it is
    drawWhole(backImage, screen);
    drawWhole(screen, backImage);
}

} // namespace

int32_t titleScreen(GameContext* context) {
    if (!titleLoaded) {
        backImage = loadImage("backtitle.bmp");
        cursorImage = loadImage("char.bmp");
        titleLoaded = 1;
        return 0;
    }
    const PlayerInput& input = context->players[0].input;
    titleChoice = input.down;
    drawWhole(backImage, screen);
    drawSprite(cursorImage, 0, 0, CursorWidth, CursorHeight, screen, CursorX,
               CursorY + CursorStep * titleChoice);
    if (input.buttonA || input.buttonB) {
        freeImage(&backImage);
        freeImage(&cursorImage);
        if (titleChoice == 0)
            currentScreen = gameScreen;
        else
            context->quitRequested = 1;
        titleLoaded = 0;
    }
    return 0;
}

int32_t gameScreen(GameContext* context) {
    Player* player = &context->players[0];
    if (!gameLoaded) {
        backImage = loadImage("back1p.bmp");
        blockSheet = loadImage("block.bmp");
        gameLoaded = 1;
        resetPlayer(player);
        return 0;
    }
    updatePlayer(player);
    drawGameScreen(player);
    if (isToppedOut(player)) {
        freeImage(&blockSheet);
        freeImage(&backImage);
        freeImage(&player->characterBack);
        currentScreen = resultScreen;
        gameLoaded = 0;
    }
    return 0;
}

int32_t resultScreen(GameContext* context) {
    if (!resultLoaded) {
        composeResultPicture();
        resultLoaded = 1;
        resultFrames = 0;
        return 0;
    }
    drawWhole(backImage, screen);
    drawNumber(context->players[0].score, ScoreDigits, 240, 240);
    if (++resultFrames > ResultTicks) {
        freeImage(&backImage);
        resultLoaded = 0;
        currentScreen = titleScreen;
    }
    return 0;
}

int32_t resetPlayer(Player* player) {
    resetPlayerState(player);
    freeImage(&player->characterBack); // a game left without its end would otherwise leak it
    player->characterBack = loadImage("char/1/back.bmp");
    spawnPiece(player);
    return 0;
}
