// sprites.h: loading pictures, copying rectangles out of them, numbers, and the side display.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "board.h"

// "画像ファイルが読めませんでした" in Shift-JIS: a picture could not be read.
extern const char ImageUnreadableText[];

extern SDL_Surface* blockSheet; // "block.bmp": one row of 20 x 20 cells, loaded by the game screen

constexpr int BlockSize = 20;  // pixels of a cell of the block sheet
constexpr int DigitWidth = 10; // pixels of a digit on the screen and in the sheet
constexpr int DigitHeight = 32;
constexpr int DigitPitch = 16;   // pixels between digits in the sheet
constexpr int GaugeStripX = 160; // the chain gauge's column in the digit sheet
constexpr int GaugeWidth = 2;

// Reads a BMP, keys out green and converts it to the display's format; null when it cannot be
// read, without a word. The pointer belongs to the caller, who lets it go with freeImage.
SDL_Surface* loadKeyedImage(const char* name);

// loadKeyedImage, naming the file on standard output when it cannot be read.
SDL_Surface* loadImage(const char* name);

// Frees a picture from the loaders (null is fine) and nulls the pointer so it cannot dangle.
void freeImage(SDL_Surface** image);

// Pictures from the loaders that are not yet freed; tests use it to catch leaks.
int32_t liveImageCount();

// Copies the rectangle (x, y, width, height) of `source` to (targetX, targetY) of `target`, clipped
// by SDL. Draws nothing when either surface is missing. Returns 0.
int32_t drawSprite(SDL_Surface* source, int32_t x, int32_t y, int32_t width, int32_t height,
                   SDL_Surface* target, int32_t targetX, int32_t targetY);

// Draws a non-negative value from the digit sheet, right to left: the units digit stands `pad`
// digit widths right of x, every slot from x to it is filled (leading zeros), and higher digits
// go on leftwards while there are any; 16 digits at most. Returns 0.
int32_t drawNumber(int32_t value, int32_t pad, int32_t x, int32_t y);

// The side display of the playing field, each from the player record, which is only read.
int32_t drawNextPiece(const Player* player, int32_t x, int32_t y); // next piece, preview cells
int32_t drawStack(const Player* player, int32_t x, int32_t y);     // pending garbage, upwards
int32_t drawGauge(const Player* player, int32_t x, int32_t y);     // chain timer bar, upwards
int32_t drawParticles(const Player* player, int32_t x, int32_t y); // debris, board origin
int32_t drawPopups(const Player* player, int32_t x, int32_t y);    // points beside removed rows
