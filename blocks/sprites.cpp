// sprites.cpp: picture loading with the green key, rectangle drawing, numbers and side display.
#include "sprites.h"

#include <cstdio>

#include "loop.h"

const char ImageUnreadableText[] =
    "\x89\xe6\x91\x9c\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x93\xc7"
    "\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd";

SDL_Surface* blockSheet = nullptr;

namespace {

constexpr int MaxDigits = 16;
constexpr int32_t ParticleLift = 40; // debris is drawn this many pixels above its board place
constexpr int32_t PopupLift = 80;    // popups stand level with the row they came from

int32_t liveImages = 0;

} // namespace

SDL_Surface* loadKeyedImage(const char* name) {
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromFile(name, "rb"), 1);
    if (!loaded)
        return nullptr;
    SDL_SetColorKey(loaded, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(loaded->format, 0, 255, 0));
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (converted)
        ++liveImages;
    return converted;
}

SDL_Surface* loadImage(const char* name) {
    SDL_Surface* image = loadKeyedImage(name);
    if (!image)
        std::printf("%s:%s\n", ImageUnreadableText, name);
    return image;
}

void freeImage(SDL_Surface** image) {
    if (!*image)
        return;
    SDL_FreeSurface(*image);
    *image = nullptr;
    --liveImages;
}

int32_t liveImageCount() {
    return liveImages;
}

int32_t drawSprite(SDL_Surface* source, int32_t x, int32_t y, int32_t width, int32_t height,
                   SDL_Surface* target, int32_t targetX, int32_t targetY) {
    if (!source || !target)
        return 0;
    SDL_Rect from = {Sint16(x), Sint16(y), Uint16(width), Uint16(height)};
    SDL_Rect to = {Sint16(targetX), Sint16(targetY), 0, 0};
    SDL_UpperBlit(source, &from, target, &to);
    return 0;
}

int32_t drawNumber(int32_t value, int32_t pad, int32_t x, int32_t y) {
    if (value < 0)
        return 0; // scores only grow from 0; there is no minus sign in the sheet
    int64_t power = 1;
    for (int k = 0; k < MaxDigits; ++k, power *= 10) {
        int64_t rest = value / power;
        if (rest == 0 && k > pad)
            break;
        int32_t digit = int32_t(rest % 10);
        drawSprite(digitSheet, DigitPitch * digit, 0, DigitWidth, DigitHeight, screen,
                   x + DigitWidth * (pad - k), y);
    }
    return 0;
}

int32_t drawNextPiece(const Player* player, int32_t x, int32_t y) {
    const CellOffset* cells = pieceShapes[player->nextPiece];
    for (int i = 0; i < PieceCells && cells[i].dx != ShapeEnd; ++i)
        drawSprite(blockSheet, BlockSize * PreviewSprite, 0, BlockSize, BlockSize, screen,
                   x + BlockSize * cells[i].dx, y + BlockSize * cells[i].dy);
    return 0;
}

int32_t drawStack(const Player* player, int32_t x, int32_t y) {
    for (int32_t i = 0; i < player->garbagePending; ++i)
        drawSprite(blockSheet, BlockSize * GarbageCell, 0, BlockSize, BlockSize, screen, x,
                   y - BlockSize * i);
    return 0;
}

int32_t drawGauge(const Player* player, int32_t x, int32_t y) {
    int32_t height = 2 * player->chainTimer; // two pixels per tick left on the chain
    drawSprite(digitSheet, GaugeStripX, 0, GaugeWidth, height, screen, x, y - height);
    return 0;
}

int32_t drawParticles(const Player* player, int32_t x, int32_t y) {
    for (const Particle& debris : player->particles) {
        if (debris.value == 0)
            continue;
        drawSprite(blockSheet, BlockSize * debris.value, 0, BlockSize, BlockSize, screen,
                   x + debris.x / 10, y - ParticleLift + debris.y / 10);
    }
    return 0;
}

int32_t drawPopups(const Player* player, int32_t x, int32_t y) {
    for (const Particle& popup : player->popups) {
        if (popup.value != 0)
            drawNumber(popup.value, 0, x, y - PopupLift + popup.y / 10);
    }
    return 0;
}
