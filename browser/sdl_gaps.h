// sdl_gaps.h: what the browser's SDL has but does not declare; put ahead of every game source.
#pragma once

#include <SDL.h>

#ifdef __cplusplus
extern "C" {
#endif

// The table of held keys, indexed by key symbol. The browser's SDL implements it (its key table
// is 64K entries, so every key symbol indexes it) but its headers only name the newer call.
Uint8* SDL_GetKeyState(int* numkeys);

#ifdef __cplusplus
}
#endif
