// input.cpp: turns held keys, stick positions and buttons into each player's eight flags.
#include "input.h"

#include "loop.h"

namespace {

// The first player's keys. Columns: key symbol, flag it sets.
struct KeyBinding {
    SDLKey key;
    int32_t PlayerInput::*flag;
};
constexpr KeyBinding keyBindings[] = {
    {SDLK_LEFT, &PlayerInput::left},   // left arrow
    {SDLK_UP, &PlayerInput::up},       // up arrow
    {SDLK_RIGHT, &PlayerInput::right}, // right arrow
    {SDLK_DOWN, &PlayerInput::down},   // down arrow: soft drop, second menu line
    {SDLK_z, &PlayerInput::buttonA},   // Z: turn counter-clockwise, choose
    {SDLK_x, &PlayerInput::buttonB},   // X: turn clockwise, choose
};
static_assert(sizeof(keyBindings) / sizeof(keyBindings[0]) == 6, "six keys play");

// Flag k is button k or button k + 2, so pads with few buttons can still turn both ways.
constexpr int32_t PlayerInput::*buttonFlags[] = {
    &PlayerInput::buttonA, // buttons 0 and 2
    &PlayerInput::buttonB, // buttons 1 and 3
    &PlayerInput::buttonC, // buttons 2 and 4
    &PlayerInput::buttonD, // buttons 3 and 5
};
static_assert(sizeof(buttonFlags) / sizeof(buttonFlags[0]) + 2 == JoystickButtonsRead,
              "every button read feeds a flag");

JoystickLevels readJoystick(SDL_Joystick* joystick) {
    JoystickLevels levels = {};
    if (!joystick)
        return levels;
    for (int axis = 0; axis < JoystickAxesRead; ++axis)
        levels.axes[axis] = SDL_JoystickGetAxis(joystick, axis);
    for (int button = 0; button < JoystickButtonsRead; ++button)
        levels.buttons[button] = SDL_JoystickGetButton(joystick, button) ? 1 : 0;
    return levels;
}

} // namespace

PlayerInput mapControls(const JoystickLevels& joystick, const Uint8* keys) {
    PlayerInput input = {};
    // One stick can point only one way on each axis; the keyboard may add the other.
    if (joystick.axes[0] < -AxisThreshold)
        input.left = 1;
    else if (joystick.axes[0] > AxisThreshold)
        input.right = 1;
    if (joystick.axes[1] < -AxisThreshold)
        input.up = 1;
    else if (joystick.axes[1] > AxisThreshold)
        input.down = 1;
    for (int k = 0; k < 4; ++k)
        input.*buttonFlags[k] = (joystick.buttons[k] | joystick.buttons[k + 2]) ? 1 : 0;
    if (keys) {
        for (const KeyBinding& binding : keyBindings)
            if (keys[binding.key])
                input.*binding.flag = 1;
    }
    return input;
}

int32_t readInput(GameContext* context) {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    for (int p = 0; p < PlayerCount; ++p) {
        JoystickLevels levels = readJoystick(context->joysticks[p]);
        context->players[p].input = mapControls(levels, p == 0 ? keys : nullptr);
    }
    return 0;
}
