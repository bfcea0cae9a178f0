// cones_frames.h: Quandrel's frame loop in the browser, driven by the page's frames.
#pragma once

class Game;

// Hands the frame loop to the browser: one pass (the events, then a frame if they changed
// anything) per display frame, until a quit is requested; then SDL is shut down and the program
// ends with status 1, as natively.
[[noreturn]] void runBrowserFrames(Game& game);
