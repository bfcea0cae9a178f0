// screen_file.h: a game's screen written to a file, in the colours the player sees.
#pragma once

#include <SDL.h>

// Writes `surface` as a 24-bit BMP, each pixel's colour as SDL_GetRGB reads it in the surface's
// own format (on a 16-bit screen: what a 16-bit display shows). Says why and returns false when
// it cannot.
bool writeScreen(SDL_Surface* surface, const char* path);
