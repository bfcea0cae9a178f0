// input_test.cpp: sticks, buttons and keys into the eight flags of a player.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "input.h"
#include "loop.h"

// Found by argument lookup from the checks, so they live beside PlayerInput.
bool operator==(const PlayerInput& a, const PlayerInput& b) {
    return a.left == b.left && a.up == b.up && a.right == b.right && a.down == b.down &&
           a.buttonA == b.buttonA && a.buttonB == b.buttonB && a.buttonC == b.buttonC &&
           a.buttonD == b.buttonD;
}
std::ostream& operator<<(std::ostream& out, const PlayerInput& i) {
    return out << "L" << i.left << " U" << i.up << " R" << i.right << " D" << i.down << " A"
               << i.buttonA << " B" << i.buttonB << " C" << i.buttonC << " D" << i.buttonD;
}

namespace {

// Columns: axis 0, axis 1, buttons 0-5 held, keys held, keyboard present, expected flags
// (left, up, right, down, A, B, C, D).
struct ControlCase {
    const char* name;
    Sint16 axisX, axisY;
    std::initializer_list<int> buttons;
    std::initializer_list<SDLKey> keys;
    bool keyboard;
    PlayerInput expected;
};

const ControlCase controlCases[] = {
    {"nothing held", 0, 0, {}, {}, true, {}},
    {"stick just at the left bound", -30000, 0, {}, {}, true, {}},
    {"stick past the left bound", -30001, 0, {}, {}, true, {1, 0, 0, 0, 0, 0, 0, 0}},
    {"stick just at the right bound", 30000, 0, {}, {}, true, {}},
    {"stick past the right bound", 30001, 0, {}, {}, true, {0, 0, 1, 0, 0, 0, 0, 0}},
    {"stick up", 0, -30001, {}, {}, true, {0, 1, 0, 0, 0, 0, 0, 0}},
    {"stick up at the bound", 0, -30000, {}, {}, true, {}},
    {"stick down, full travel", -32768, 32767, {}, {}, true, {1, 0, 0, 1, 0, 0, 0, 0}},
    {"button 0", 0, 0, {0}, {}, true, {0, 0, 0, 0, 1, 0, 0, 0}},
    {"button 1", 0, 0, {1}, {}, true, {0, 0, 0, 0, 0, 1, 0, 0}},
    {"button 2 is A and C", 0, 0, {2}, {}, true, {0, 0, 0, 0, 1, 0, 1, 0}},
    {"button 3 is B and D", 0, 0, {3}, {}, true, {0, 0, 0, 0, 0, 1, 0, 1}},
    {"button 4 is C only", 0, 0, {4}, {}, true, {0, 0, 0, 0, 0, 0, 1, 0}},
    {"button 5 is D only", 0, 0, {5}, {}, true, {0, 0, 0, 0, 0, 0, 0, 1}},
    {"arrow keys",
     0,
     0,
     {},
     {SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN},
     true,
     {1, 1, 1, 1, 0, 0, 0, 0}},
    {"Z and X", 0, 0, {}, {SDLK_z, SDLK_x}, true, {0, 0, 0, 0, 1, 1, 0, 0}},
    {"keys add to the stick", -30001, 0, {1}, {SDLK_RIGHT, SDLK_z}, true, {1, 0, 1, 0, 1, 1, 0, 0}},
    {"keys that do not play", 0, 0, {}, {SDLK_ESCAPE, SDLK_c, SDLK_SPACE, SDLK_RETURN}, true, {}},
    {"no keyboard for the second player",
     30001,
     0,
     {4},
     {SDLK_LEFT, SDLK_z, SDLK_DOWN},
     false,
     {0, 0, 1, 0, 0, 0, 1, 0}},
};

TEST(MapControls, TableOfSticksButtonsAndKeys) {
    for (const ControlCase& c : controlCases) {
        SCOPED_TRACE(c.name);
        JoystickLevels joystick = {{c.axisX, c.axisY}, {}};
        for (int button : c.buttons)
            joystick.buttons[button] = 1;
        Uint8 keys[SDLK_LAST] = {};
        for (SDLKey key : c.keys)
            keys[key] = 1;
        EXPECT_EQ(mapControls(joystick, c.keyboard ? keys : nullptr), c.expected);
    }
}

// Without joysticks and with nothing pressed, every flag of both players clears each tick.
TEST(ReadInput, ReleasedControlsClearEveryFlag) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(640, 480, 32, 0), nullptr);
    static GameContext context;
    const PlayerInput allHeld = {1, 1, 1, 1, 1, 1, 1, 1};
    context.players[0].input = allHeld;
    context.players[1].input = allHeld;
    SDL_PumpEvents();
    EXPECT_EQ(readInput(&context), 0);
    EXPECT_EQ(context.players[0].input, PlayerInput{});
    EXPECT_EQ(context.players[1].input, PlayerInput{});
    SDL_Quit();
}

} // namespace
