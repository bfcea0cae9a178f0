// blocks_frames.h: Drapple's tick loop in the browser, driven by the page's frames.
#pragma once

#include "loop.h"

// Hands the loop to the browser: each display frame runs the ticks that the time since the
// previous one asks for, at the native pace. Never returns; the program ends in shutDown.
[[noreturn]] void runBrowserTicks(GameContext* context);
