// startup.h: bringing Quandrel up (sheets, video, window) and running its frame loop.
#pragma once

class Game;

// Loads and colour-keys both sheets; on failure says which file and why, and returns false.
bool loadSheets();

// Starts SDL video and opens the window; on failure says why and returns false.
bool startVideo();

// Draws a frame and handles the events it brought, until a quit is requested.
void runFrameLoop(Game& game);
