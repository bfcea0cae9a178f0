// input.h: the controls of each tick, from the keyboard and the first two joysticks.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "board.h"

struct GameContext;

constexpr int JoystickAxesRead = 2;     // axis 0 across, axis 1 up and down
constexpr int JoystickButtonsRead = 6;  // buttons 0 to 5
constexpr Sint16 AxisThreshold = 30000; // a stick counts as pushed only beyond this

// What one joystick reports this tick; all zero for a joystick that is not there.
struct JoystickLevels {
    Sint16 axes[JoystickAxesRead];
    Uint8 buttons[JoystickButtonsRead]; // 0 or 1
};

// The flags of one player from one joystick and, for the first player, the keyboard. `keys` is
// SDL's key-state table indexed by key symbol (SDLK_LAST entries), or null for a player who has
// no keyboard. Pure: tests call it with their own tables.
PlayerInput mapControls(const JoystickLevels& joystick, const Uint8* keys);

// Fills the input flags of both player records from the current SDL state; returns 0.
int32_t readInput(GameContext* context);
