// startup.h: bringing Quandrel up: the sheets, video and the window.
#pragma once

// Loads and colour-keys both sheets; on failure says which file and why, and returns false.
bool loadSheets();

// Starts SDL video and opens the window; on failure says why and returns false.
bool startVideo();
