// display_format.cpp: SDL_DisplayFormat for the browser, whose SDL declares it but leaves it out.
//
// Every surface there already has the display's format (32-bit canvas pixels), so converting is
// a copy, transparent key pixels included, and the caller owns and frees the copy as usual.
#include <SDL.h>

extern "C" SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface) {
    if (!surface)
        return nullptr;
    return SDL_ConvertSurface(surface, surface->format, 0);
}
