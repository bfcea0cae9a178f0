// board.h: the well, the eight pieces and the player record that one game of Drapple is played on.
// Plain data and free functions; nothing here calls SDL, so games can be simulated headless.
#pragma once

#include <cstdint>

struct SDL_Surface; // the well's background picture; only the screens load, draw and free it

constexpr int BoardColumns = 8;
constexpr int BoardRows = 24;
constexpr int TopZoneRows = 3; // a locked block in rows 0 to 2 ends the game
constexpr int PieceCount = 8;
constexpr int PieceCells = 8; // pairs per piece in the table, end pair included
constexpr int ShapeEnd = 255; // dx of the pair that ends a piece's list
constexpr int ParticleCount = 256;
constexpr int PopupCount = 8;

constexpr int CellSize = 200; // one cell in tenths of a pixel

// Cell values of the board, and the cells of the block sheet they are drawn with.
constexpr int EmptyCell = 0;
constexpr int PivotSprite = 0;   // sheet cell drawn over the falling piece's pivot
constexpr int PreviewSprite = 9; // sheet cell of every block of the next-piece preview
constexpr int GarbageCell = 10;  // board value and sheet cell of a garbage block

// clearPhase
constexpr int32_t PhasePlay = 0;     // the piece runs
constexpr int32_t PhaseSettling = 1; // rows are falling into place after a lock
constexpr int32_t PhaseSettled = 2;  // the settle ended this tick; garbage rises next

// One record type for debris, row settles and point popups; each array gives the fields a meaning.
struct Particle {
    int32_t x;     // tenths of a pixel (popups: age in ticks)
    int32_t y;     // tenths of a pixel
    int32_t vx;    // tenths of a pixel per tick
    int32_t vy;    // tenths of a pixel per tick
    int32_t value; // what is shown; 0 marks a free record
};

// The controls held during this tick, each 0 or 1; rebuilt every tick.
struct PlayerInput {
    int32_t left;
    int32_t up;
    int32_t right;
    int32_t down;
    int32_t buttonA; // turn counter-clockwise; title: choose
    int32_t buttonB; // turn clockwise; title: choose
    int32_t buttonC;
    int32_t buttonD;
};

struct Player {
    int32_t slideOffset; // tenths of a pixel, from -200 * direction back to 0 during a slide
    int32_t fallCounter; // gravity accumulator; also the drawing's fall offset in tenths of a pixel
    int32_t turnAngle;   // degrees, from -90 * direction back to 0 during a turn
    int32_t pieceColumn; // board column of the pivot
    int32_t pieceRow;    // board row of the pivot
    int32_t pieceTurn;   // quarter turns, 0 to 3
    int32_t slideSpeed;  // 0, or 31 * direction while a slide runs
    int32_t fallStep;    // rows per gravity step; soft drop only while non-zero
    int32_t turnSpeed;   // 0, or 6 * direction degrees per tick while a turn runs
    int32_t piece;       // index into pieceShapes of the falling piece
    int32_t nextPiece;   // index of the previewed piece
    int32_t cells[BoardColumns][BoardRows]; // column-major: cells[column][row]
    PlayerInput input;
    int32_t clearPhase; // PhasePlay, PhaseSettling or PhaseSettled
    int32_t score;
    int32_t lockPoints;     // points of the lock being processed, added to score at its end
    int32_t garbagePending; // garbage rows waiting to rise from below
    Particle particles[ParticleCount]; // debris of removed rows, board-relative
    Particle rowSettle[BoardRows]; // per row: y offset (never above 0), vy, value 1 while settling
    Particle popups[PopupCount];   // x age in ticks, y board-relative position, value points
    int32_t chainValue;            // worth of the next removed row: 1, 2, 4 ... 64
    SDL_Surface* characterBack;    // the well's background picture, owned by the record
    int32_t chainTimer;            // play ticks left before chainValue falls back to 1
};

struct CellOffset {
    int32_t dx; // cells to the right of the pivot
    int32_t dy; // cells below the pivot
};

// The eight pieces as offsets from the pivot, ended by (ShapeEnd, ShapeEnd).
// Columns: the pairs in list order; trailing comment: the unturned shape, rows top to bottom.
constexpr CellOffset pieceShapes[PieceCount][PieceCells] = {
    {{0, 0}, {1, 0}, {1, 1}, {0, -1}, {255, 255}},    // 0  X. / PX / .X
    {{0, 0}, {-1, 0}, {-1, 1}, {0, -1}, {255, 255}},  // 1  .X / XP / X.
    {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {255, 255}},     // 2  PX / XX
    {{0, 0}, {1, 0}, {-1, 0}, {0, -1}, {255, 255}},   // 3  .X. / XPX
    {{0, 0}, {0, 1}, {0, -1}, {1, -1}, {255, 255}},   // 4  XX / P. / X.
    {{0, 0}, {0, 1}, {0, -1}, {-1, -1}, {255, 255}},  // 5  XX / .P / .X
    {{0, 0}, {0, -2}, {0, -1}, {0, 1}, {255, 255}},   // 6  bar, rows -2 to +1
    {{0, 0}, {1, 0}, {0, 1}, {255, 255}, {255, 255}}, // 7  PX / X.
};
static_assert(sizeof(pieceShapes) / sizeof(pieceShapes[0]) == PieceCount, "eight pieces");

// Counts the ticks in which a piece runs, across games; a garbage row is queued every 1201.
extern int32_t garbageClock;

// (x, y) after `turns` quarter turns, each (x, y) -> (y, -x); counter-clockwise on screen.
CellOffset rotateCell(int32_t x, int32_t y, int32_t turns);

// 1 when the falling piece at its column, row and turn does not fit the board, else 0.
int32_t pieceCollides(const Player* player);

// The previewed piece becomes the falling piece at the start position; draws a new preview.
int32_t spawnPiece(Player* player);

// The state a new game starts from, all but the background picture and the first piece: clears
// the board and the effects, resets the score and chain, and draws the first preview. The game
// screen then loads the background and calls spawnPiece.
void resetPlayerState(Player* player);

// 1 when any cell of the top zone (rows 0 to 2) is occupied: the game is over.
int32_t isToppedOut(const Player* player);
