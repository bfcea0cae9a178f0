// game.h: the Quandrel game object, its rows of guesses and its buttons, and the shared globals.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

// Sizes of the puzzle.
constexpr int ColourCount = 9;
constexpr int SlotCount = 4;
constexpr int RowCount = 10;
constexpr int ButtonCount = 8;

// An empty slot, or nothing in the hand.
constexpr int32_t NoColour = -1;

// What a check says about one colour of a row.
constexpr int32_t MarkNone = 0;
constexpr int32_t MarkColour = 1; // in the secret, but in another slot
constexpr int32_t MarkExact = 2;  // in the secret, in this very slot

// State of the round.
constexpr int32_t Playing = 0;
constexpr int32_t Won = 1;
constexpr int32_t Lost = -1;

// Indices into Game::buttons.
constexpr int CheckButton = 0;
constexpr int NewGameButton = 1;
constexpr int QuitButton = 2;
constexpr int WonBanner = 3;
constexpr int EndPrompt = 4;
constexpr int AgainButton = 5;
constexpr int LeaveButton = 6;
constexpr int LostBanner = 7;

// The sheets, the display, and the flag that ends the frame loop.
extern SDL_Surface* conesSheet;
extern SDL_Surface* guiSheet;
extern SDL_Surface* screen;
extern bool quitRequested;

// The millisecond clock of the rounds; tests point it elsewhere to control time.
extern Uint32 (*readClock)();

// One guess: a colour per slot, and the marks of its check (all MarkColour marks first, then all
// MarkExact marks, then MarkNone: they say how many, not which slot).
class Row {
  public:
    int32_t pegs[SlotCount];
    int32_t marks[SlotCount];

    void clear();
    // -1: a slot is empty and nothing changed; 1: all four exact; 0: any other complete row.
    int evaluate(const int32_t secret[SlotCount]);
    int32_t peg(int i) const { return pegs[i]; }
    void setPeg(int i, int32_t colour) { pegs[i] = colour; }
    int32_t mark(int i) const { return marks[i]; }
};

// A picture of the gui sheet that may react to the pointer.
class Button {
  public:
    SDL_Rect source;  // area of guiSheet holding the picture
    SDL_Rect target;  // where it is drawn; only x and y count
    SDL_Rect hitArea; // reacts to the pointer, both ends inclusive
    bool enabled;     // false: a picture only

    void setRects(SDL_Rect sourceRect, SDL_Rect targetRect, SDL_Rect hitRect);
    void setEnabled(bool flag) { enabled = flag; }
    bool contains(int x, int y) const;
    void draw() const;
    void drawHoverFrame() const;
};

class Game {
  public:
    int32_t mouseX; // pointer from the latest motion event, pixels
    int32_t mouseY;
    int32_t heldColour;  // picked from the palette and not yet placed, or NoColour
    int32_t outcome;     // Playing, Won or Lost
    uint32_t startTicks; // clock at the start of the round, milliseconds
    int32_t secret[SlotCount];
    int32_t currentRow; // 0 to 9; 10 once every row is used or after a win on the last
    Row rows[RowCount];
    Button buttons[ButtonCount];

    // Brings up the video (quitRequested is set if that fails), then sets the defaults.
    Game();

    void newRound();
    void checkRow();
    void randomRow();

    void draw();

    // -1 when Escape asks to leave, 0 once the queue is drained.
    int handleEvents();
    void onMotion(const SDL_Event& event);
    void onPress(const SDL_Event& event);
    void onRelease(const SDL_Event& event);

  private:
    void setDefaults();
    void drawBoard();
    void drawRandomMarker();
    void drawSecret();
    void drawPalette();
    void drawHoverRing();
    void drawMarks();
    void drawButtons(int first, int last);
    void drawHeldColour();
    void drawEndPanel();
};

// Writes the caption text of a win after `elapsed` milliseconds.
void formatTime(char* text, std::size_t size, uint32_t elapsed);
