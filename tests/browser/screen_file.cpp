// screen_file.cpp: a game's screen written to a file, in the colours the player sees.
#include "screen_file.h"

#include <cstdio>

namespace {

// The raw value of one pixel, whatever the depth; SDL surfaces keep the machine's byte order.
Uint32 pixelValue(const SDL_Surface* surface, int x, int y) {
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                     x * surface->format->BytesPerPixel;
    switch (surface->format->BytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
    default:
        return *reinterpret_cast<const Uint32*>(p);
    }
}

// Blue, green and red bytes in that order: the layout a 24-bit BMP stores, so SDL writes the
// copy out unchanged.
SDL_Surface* copyColours(SDL_Surface* surface) {
    SDL_Surface* copy =
        SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, 24, 0xff0000, 0xff00, 0xff, 0);
    if (!copy)
        return nullptr;
    for (int y = 0; y < surface->h; ++y) {
        Uint8* row = static_cast<Uint8*>(copy->pixels) + y * copy->pitch;
        for (int x = 0; x < surface->w; ++x) {
            Uint8* out = row + 3 * x;
            SDL_GetRGB(pixelValue(surface, x, y), surface->format, &out[2], &out[1], &out[0]);
        }
    }
    return copy;
}

} // namespace

bool writeScreen(SDL_Surface* surface, const char* path) {
    if (SDL_LockSurface(surface) != 0) {
        std::fprintf(stderr, "cannot read the screen: %s\n", SDL_GetError());
        return false;
    }
    SDL_Surface* copy = copyColours(surface);
    SDL_UnlockSurface(surface);
    bool written = copy && SDL_SaveBMP(copy, path) == 0;
    if (!written)
        std::fprintf(stderr, "cannot write %s: %s\n", path, SDL_GetError());
    SDL_FreeSurface(copy);
    return written;
}
