// blocks_art.cpp: draws Drapple's seven pictures: digits, blocks, title, cursor, frame, result,
// well.
#include "artkit.h"

#include <cmath>
#include <cstdio>
#include <string>

using artkit::Canvas;
using artkit::Rgb;

namespace {

constexpr double Pi = 3.14159265358979;
constexpr Rgb Green{0, 255, 0}; // the game's transparent colour
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

constexpr int ScreenW = 640;
constexpr int ScreenH = 480;
constexpr int Cell = 20;

struct Place {
    int x, y, w, h; // screen pixels
};

// Where the game draws over or through the pictures; the pictures leave these clear or mark them.
// x    y    w    h
constexpr Place wellWindow{240, 0, 160, 440}; // the board, seen through the frame
constexpr Place wellBack{235, 25, 180, 450};  // where the well's background lands
// Right of the well the game draws the point popups (two digits from x 400; the bottom row's
// reaches down to y 451), the chain gauge (x 402, up to 360 high above y 440) and the pending
// garbage (20 wide at x 405, upwards from y 422 as far as the top). The frame keeps all of it one
// plain colour, so that nothing printed there is read as part of them.
constexpr Place sideColumn{400, 0, 25, 452};
constexpr Place previewArea{430, 40, 80, 80};   // next piece, offsets -1..+2 and -2..+1
constexpr Place scoreDigits{420, 170, 160, 32}; // 16 digits of the score
constexpr Place menuLines[] = {
    {440, 140, 190, 50}, // start a game
    {440, 200, 190, 50}, // quit
};
constexpr Place resultDigits{250, 240, 160, 32}; // the final score

// The palette of the frame and its cards; digits are drawn over the card colour.
constexpr Rgb SkyTop{22, 20, 52};
constexpr Rgb SkyBottom{46, 26, 78};
constexpr Rgb CardFill{14, 16, 36};
constexpr Rgb CardEdge{104, 124, 206};
constexpr Rgb LabelInk{170, 188, 255};
constexpr Rgb TextInk{226, 230, 255};

// ---- shared painters ------------------------------------------------------------------------

void fillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha = 1) {
    cairo_rectangle(cr, x, y, w, h);
    artkit::setColour(cr, c, alpha);
    cairo_fill(cr);
}

// A night-sky gradient with faint diagonal bands; every full-screen picture starts from it.
void paintSky(cairo_t* cr) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, ScreenH);
    artkit::addStop(sky, 0, SkyTop);
    artkit::addStop(sky, 1, SkyBottom);
    cairo_rectangle(cr, 0, 0, ScreenW, ScreenH);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    for (int i = -ScreenH; i < ScreenW; i += 48) {
        cairo_move_to(cr, i, ScreenH);
        cairo_line_to(cr, i + ScreenH, 0);
        cairo_line_to(cr, i + ScreenH + 20, 0);
        cairo_line_to(cr, i + 20, ScreenH);
        cairo_close_path(cr);
    }
    artkit::setColour(cr, White, 0.025);
    cairo_fill(cr);
}

// A bevelled 20 x 20 block: light top and left edges, dark bottom and right edges and a dark
// outline, so that neighbouring blocks of one colour still read as separate blocks.
void paintBlock(cairo_t* cr, double x, double y, Rgb base) {
    fillRect(cr, x, y, Cell, Cell, artkit::mix(base, Black, 0.62));
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y + 1, 0, y + Cell - 1);
    artkit::addStop(face, 0, artkit::mix(base, White, 0.18));
    artkit::addStop(face, 1, artkit::mix(base, Black, 0.12));
    cairo_rectangle(cr, x + 1, y + 1, Cell - 2, Cell - 2);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    const double in = 4; // bevel width including the outline
    cairo_move_to(cr, x + 1, y + 1);
    cairo_line_to(cr, x + Cell - 1, y + 1);
    cairo_line_to(cr, x + Cell - in, y + in);
    cairo_line_to(cr, x + in, y + in);
    cairo_line_to(cr, x + in, y + Cell - in);
    cairo_line_to(cr, x + 1, y + Cell - 1);
    cairo_close_path(cr);
    artkit::setColour(cr, artkit::mix(base, White, 0.5));
    cairo_fill(cr);
    cairo_move_to(cr, x + Cell - 1, y + Cell - 1);
    cairo_line_to(cr, x + 1, y + Cell - 1);
    cairo_line_to(cr, x + in, y + Cell - in);
    cairo_line_to(cr, x + Cell - in, y + Cell - in);
    cairo_line_to(cr, x + Cell - in, y + in);
    cairo_line_to(cr, x + Cell - 1, y + 1);
    cairo_close_path(cr);
    artkit::setColour(cr, artkit::mix(base, Black, 0.38));
    cairo_fill(cr);
    fillRect(cr, x + in + 1, y + in, 4, 2, White, 0.45); // a glint on the face
}

// A dark card with a thin bright edge, for the places where the game draws digits and pieces.
void paintCard(cairo_t* cr, double x, double y, double w, double h) {
    artkit::roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 5);
    artkit::setColour(cr, CardFill);
    cairo_fill_preserve(cr);
    artkit::setColour(cr, CardEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Words in DejaVu Sans, filled with one colour over a soft dark edge.
void paintLabel(cairo_t* cr, const char* text, double x, double y, double w, double h, double size,
                Rgb ink, bool bold = true) {
    artkit::labelPath(cr, text, x, y, w, h, size, bold);
    artkit::setColour(cr, Black, 0.5);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    artkit::setColour(cr, ink);
    cairo_fill(cr);
}

// Left-aligned words: the box is only as wide as the words, so labelPath's centring aligns them.
void paintLeftLabel(cairo_t* cr, const char* text, double x, double y, double h, double size,
                    Rgb ink, bool bold = true) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    paintLabel(cr, text, x, y, ext.width, h, size, ink, bold);
}

// The game's name in warm letters with a dark outline and a drop shadow.
void paintLogo(cairo_t* cr, double x, double y, double w, double h, double size) {
    cairo_save(cr);
    cairo_translate(cr, 3, 4);
    artkit::labelPath(cr, "Drapple", x, y, w, h, size);
    artkit::setColour(cr, Black, 0.45);
    cairo_fill(cr);
    cairo_restore(cr);
    artkit::labelPath(cr, "Drapple", x, y, w, h, size);
    cairo_pattern_t* warm = cairo_pattern_create_linear(0, y - h * 0.1, 0, y + h);
    artkit::addStop(warm, 0, Rgb{255, 236, 120});
    artkit::addStop(warm, 0.55, Rgb{255, 138, 48});
    artkit::addStop(warm, 1, Rgb{226, 40, 60});
    artkit::setColour(cr, Rgb{40, 8, 24});
    cairo_set_line_width(cr, size / 12);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_set_source(cr, warm);
    cairo_fill(cr);
    cairo_pattern_destroy(warm);
}

// ---- block.bmp ------------------------------------------------------------------------------

constexpr int BlockCells = 11;

// Colours of the cells; cell 0 (the pivot marker) and cell 10 (garbage) are painted apart.
// colour          cell
constexpr Rgb pieceColours[] = {
    {232, 52, 52},   // 1 piece 0
    {250, 146, 36},  // 2 piece 1
    {246, 214, 44},  // 3 piece 2
    {62, 190, 74},   // 4 piece 3
    {44, 196, 214},  // 5 piece 4
    {58, 98, 236},   // 6 piece 5
    {160, 76, 220},  // 7 piece 6
    {240, 110, 180}, // 8 piece 7
};
static_assert(sizeof(pieceColours) / sizeof(pieceColours[0]) == 8, "one colour per piece");
constexpr Rgb PreviewColour{196, 204, 226};
constexpr Rgb GarbageColour{104, 104, 112};

// Over the falling piece's pivot: a small white stud with a dark rim, square and pixel-aligned so
// that no edge needs blending with the block below; the rest of the cell lets the block show.
void paintPivotMarker(cairo_t* cr, double x) {
    fillRect(cr, x + 6, 6, 8, 8, Rgb{20, 20, 30});
    fillRect(cr, x + 7, 7, 6, 6, White);
    fillRect(cr, x + 9, 9, 3, 3, Rgb{150, 160, 190});
}

// Garbage: a grey stone block with two dark chips, plainly not a piece colour.
void paintGarbage(cairo_t* cr, double x, double y) {
    paintBlock(cr, x, y, GarbageColour);
    fillRect(cr, x + 7, y + 7, 3, 3, Rgb{60, 60, 66});
    fillRect(cr, x + 11, y + 11, 3, 3, Rgb{60, 60, 66});
}

bool writeBlockSheet(const std::string& path) {
    Canvas canvas(Cell * BlockCells, Cell);
    cairo_t* cr = canvas.cr;
    paintPivotMarker(cr, 0);
    for (int n = 0; n < 8; ++n)
        paintBlock(cr, Cell * (n + 1), 0, pieceColours[n]);
    paintBlock(cr, Cell * 9, 0, PreviewColour);
    paintGarbage(cr, Cell * 10, 0);
    return artkit::writeBmp32(canvas, path, Green, Black);
}

// ---- num.bmp --------------------------------------------------------------------------------

constexpr int DigitPitch = 16;
constexpr int DigitW = 10;
constexpr int DigitH = 32;
constexpr int StripX = 160;
constexpr int StripH = 360;

// A digit squeezed into its 10 x 32 cell: DejaVu Sans Bold scaled to the cell's tall shape, light
// on a dark edge, with its soft edges blended over the card colour that it is drawn on.
void paintDigit(cairo_t* cr, int d) {
    const char text[2] = {static_cast<char>('0' + d), 0};
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 20);
    cairo_text_extents_t zero, ext;
    cairo_text_extents(cr, "0", &zero); // one scale for all, so the digits match
    cairo_text_extents(cr, text, &ext);
    const double sx = 7.6 / zero.width, sy = 24.0 / zero.height; // a gap between digits
    cairo_save(cr);
    cairo_translate(cr, DigitPitch * d + DigitW / 2.0, DigitH / 2.0);
    cairo_scale(cr, sx, sy);
    cairo_move_to(cr, -ext.width / 2 - ext.x_bearing, zero.height / 2);
    cairo_text_path(cr, text);
    cairo_restore(cr);
    cairo_pattern_t* ink = cairo_pattern_create_linear(0, 4, 0, 28);
    artkit::addStop(ink, 0, White);
    artkit::addStop(ink, 1, Rgb{255, 222, 120});
    artkit::setColour(cr, Black, 0.8);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke_preserve(cr);
    cairo_set_source(cr, ink);
    cairo_fill(cr);
    cairo_pattern_destroy(ink);
}

// The chain gauge shows the strip's top part, as tall as the chain has time left: a white-hot tip
// that cools to orange and red down a long bar, lit on its left column. The frame's legend shows
// a short one of the same.
void paintGaugeBar(cairo_t* cr, double x, double y, double h) {
    cairo_pattern_t* heat = cairo_pattern_create_linear(0, y, 0, y + h);
    artkit::addStop(heat, 0, Rgb{255, 250, 200});
    artkit::addStop(heat, 0.08, Rgb{255, 220, 60});
    artkit::addStop(heat, 0.5, Rgb{255, 130, 30});
    artkit::addStop(heat, 1, Rgb{220, 40, 40});
    cairo_rectangle(cr, x, y, 2, h);
    cairo_set_source(cr, heat);
    cairo_fill(cr);
    cairo_pattern_destroy(heat);
    fillRect(cr, x + 1, y, 1, h, Black, 0.25);
}

bool writeDigitSheet(const std::string& path) {
    Canvas canvas(StripX + 2, StripH);
    cairo_set_antialias(canvas.cr, CAIRO_ANTIALIAS_GRAY);
    for (int d = 0; d < 10; ++d)
        paintDigit(canvas.cr, d);
    paintGaugeBar(canvas.cr, StripX, 0, StripH);
    return artkit::writeBmp32(canvas, path, Green, CardFill);
}

// ---- backtitle.bmp and char.bmp -------------------------------------------------------------

constexpr double MenuInset = 8; // the menu plate lies this far inside the cursor's rectangle

// A small pile of blocks as in a well, the title's picture.
// column row piece
constexpr int titlePile[][3] = {
    {0, 0, 6}, {1, 0, 6}, {2, 0, 0}, {3, 0, 0}, {4, 0, 3}, {5, 0, 3}, {6, 0, 3},
    {7, 0, 5}, {0, 1, 6}, {1, 1, 2}, {2, 1, 2}, {3, 1, 0}, {5, 1, 3}, {6, 1, 5},
    {7, 1, 5}, {0, 2, 4}, {1, 2, 2}, {2, 2, 2}, {3, 2, 0}, {6, 2, 1}, {7, 2, 5},
    {0, 3, 4}, {1, 3, 4}, {5, 3, 1}, {6, 3, 1}, {3, 6, 7}, {4, 6, 7}, {3, 7, 7},
};

void paintTitlePile(cairo_t* cr, double x0, double bottom) {
    for (const auto& b : titlePile)
        paintBlock(cr, x0 + Cell * b[0], bottom - Cell * (b[1] + 1), pieceColours[b[2]]);
}

void paintMenuPlate(cairo_t* cr, const Place& line, const char* text) {
    const double x = line.x + MenuInset, y = line.y + MenuInset;
    const double w = line.w - 2 * MenuInset, h = line.h - 2 * MenuInset;
    artkit::roundedRect(cr, x, y, w, h, 6);
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, y, 0, y + h);
    artkit::addStop(plate, 0, Rgb{60, 70, 130});
    artkit::addStop(plate, 1, Rgb{30, 34, 78});
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    artkit::setColour(cr, CardEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    paintLabel(cr, text, x + 24, y + 4, w - 48, h - 8, 20, TextInk);
}

void paintTitleHelp(cairo_t* cr) {
    paintCard(cr, 300, 268, 330, 62);
    paintLabel(cr, "Hold \u2193 for Quit, press Z or X to choose", 306, 280, 318, 10, 13, TextInk,
               false);
    paintLabel(cr, "In play: \u2190 \u2192 move   \u2193 drop   Z X turn   Esc quit", 306, 306, 318,
               10, 13, LabelInk, false);
}

void paintTitle(Canvas& canvas) {
    cairo_t* cr = canvas.cr;
    paintSky(cr);
    paintLogo(cr, 40, 40, 560, 64, 96);
    paintTitlePile(cr, 60, 460);
    fillRect(cr, 56, 460, 168, 6, Rgb{150, 160, 210}); // the pile's floor
    paintMenuPlate(cr, menuLines[0], "Start");
    paintMenuPlate(cr, menuLines[1], "Quit");
    paintTitleHelp(cr);
}

// A yellow pointer, a triangle whose tip at (tipX, midY) points away from its back edge at backX.
void paintPointer(cairo_t* cr, double tipX, double backX, double midY, double halfHeight) {
    cairo_move_to(cr, tipX, midY);
    cairo_line_to(cr, backX, midY - halfHeight);
    cairo_line_to(cr, backX, midY + halfHeight);
    cairo_close_path(cr);
    artkit::setColour(cr, Rgb{255, 226, 90});
    cairo_fill(cr);
}

// The cursor: a glowing frame round a menu plate with a pointer at each end; its middle is clear
// so that the plate's word shows through.
void paintCursor(cairo_t* cr) {
    const Place& line = menuLines[0];
    artkit::roundedRect(cr, 2.5, 2.5, line.w - 5, line.h - 5, 9);
    artkit::setColour(cr, Rgb{255, 200, 60}, 0.35);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    artkit::setColour(cr, Rgb{255, 226, 90});
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    const double mid = line.h / 2.0;
    const double leftTip = MenuInset + 20, rightTip = line.w - MenuInset - 20;
    paintPointer(cr, leftTip, leftTip - 11, mid, 8);
    paintPointer(cr, rightTip, rightTip + 11, mid, 8);
}

// ---- back1p.bmp -----------------------------------------------------------------------------

constexpr Rgb RailLight{150, 164, 220};
constexpr Rgb RailDark{52, 58, 104};

// A metal rail lit from the left.
void paintRail(cairo_t* cr, double x, double y, double w, double h) {
    cairo_pattern_t* metal = cairo_pattern_create_linear(x, 0, x + w, 0);
    artkit::addStop(metal, 0, RailLight);
    artkit::addStop(metal, 1, RailDark);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
}

// The well's housing: a rail on the left, a floor below, and on the right the side column, a
// plain dark channel with a lit lip, where the popups, the gauge and the garbage stand out. Edges
// meet the window and the column on whole pixels, so none is blended.
void paintHousing(cairo_t* cr) {
    const Place& w = wellWindow;
    const Place& c = sideColumn;
    const double floorY = w.y + w.h + 2, floorH = 14, lipX = c.x + c.w, lipW = 3;
    paintRail(cr, w.x - 12, 0, 12, floorY + floorH);
    cairo_pattern_t* floor = cairo_pattern_create_linear(0, floorY, 0, floorY + floorH);
    artkit::addStop(floor, 0, RailLight);
    artkit::addStop(floor, 1, RailDark);
    cairo_rectangle(cr, w.x - 12, floorY, lipX + lipW - (w.x - 12), floorH);
    cairo_set_source(cr, floor);
    cairo_fill(cr);
    cairo_pattern_destroy(floor);
    fillRect(cr, w.x - 12, w.y + w.h, c.x - (w.x - 12), 2, Rgb{10, 10, 20}); // under the last row
    fillRect(cr, c.x, c.y, c.w, c.h, CardFill); // the digits' soft edges are blended over it
    paintRail(cr, lipX, 0, lipW, floorY + floorH);
}

// What the gauge and the stack in the column mean, level with their feet, each with a sample of
// how it looks and an arrow at the column.
constexpr Place legendCard{436, 392, 192, 76};

// An arrow from a legend's edge to the column's lip, pointing at what the legend names.
void paintLeftArrow(cairo_t* cr, double midY) {
    paintPointer(cr, sideColumn.x + sideColumn.w + 3, legendCard.x + 1, midY, 6);
}

void paintLegendRow(cairo_t* cr, double y, const char* name, const char* meaning) {
    const Place& l = legendCard;
    paintLeftArrow(cr, y + Cell / 2.0);
    paintLeftLabel(cr, name, l.x + 40, y + 1, 9, 12, LabelInk);
    paintLeftLabel(cr, meaning, l.x + 40, y + 13, 8, 10.5, TextInk, false);
}

void paintColumnLegend(cairo_t* cr) {
    const Place& l = legendCard;
    paintCard(cr, l.x, l.y, l.w, l.h);
    const double chainY = l.y + 10, garbageY = l.y + 44;
    paintGaugeBar(cr, l.x + 19, chainY, Cell);
    paintLegendRow(cr, chainY, "CHAIN", "time left to keep doubling");
    paintGarbage(cr, l.x + 10, garbageY);
    paintLegendRow(cr, garbageY, "GARBAGE", "rises when the piece lands");
}

void paintNextCard(cairo_t* cr) {
    const Place& p = previewArea;
    paintCard(cr, p.x - 2, p.y - 26, p.w + 6, p.h + 30);
    paintLabel(cr, "NEXT", p.x, p.y - 22, p.w, 12, 13, LabelInk);
}

// The card's outline without its left side, from the top edge round to the bottom edge.
void openCardPath(cairo_t* cr, double left, double top, double right, double bottom) {
    const double r = 5;
    cairo_move_to(cr, left, top);
    cairo_arc(cr, right - r, top + r, r, -Pi / 2, 0);
    cairo_arc(cr, right - r, bottom - r, r, 0, Pi / 2);
    cairo_line_to(cr, left, bottom);
}

// The score's first digit stands over the side column, so its card opens onto the column: the
// card's fill runs into the column's and its edge ends on the lip.
void paintScoreCard(cairo_t* cr) {
    const Place& s = scoreDigits;
    const double left = sideColumn.x + sideColumn.w, right = s.x + s.w + 6 - 0.5;
    const double top = s.y - 28 + 0.5, bottom = s.y + s.h + 6 - 0.5;
    openCardPath(cr, left, top, right, bottom);
    cairo_close_path(cr);
    artkit::setColour(cr, CardFill);
    cairo_fill(cr);
    openCardPath(cr, left, top, right, bottom);
    artkit::setColour(cr, CardEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    paintLabel(cr, "SCORE", s.x, s.y - 24, s.w, 12, 13, LabelInk);
}

// How to play, for a newcomer: the keys on the left panel and the rules on the right.
// key                  what it does
constexpr const char* controls[][2] = {
    {"\u2190 \u2192", "move"}, {"\u2193", "drop faster"}, {"Z", "turn left"},
    {"X", "turn right"},       {"Esc", "quit"},
};

void paintControlsCard(cairo_t* cr) {
    paintCard(cr, 16, 100, 196, 168);
    paintLabel(cr, "CONTROLS", 16, 110, 196, 12, 13, LabelInk);
    double y = 138;
    for (const auto& row : controls) {
        paintLeftLabel(cr, row[0], 32, y, 12, 15, Rgb{255, 226, 90});
        paintLeftLabel(cr, row[1], 92, y, 11, 14, TextInk, false);
        y += 25;
    }
}

constexpr const char* rules[] = {
    "Fill a row to clear it.",    "Rows cleared close together",   "score double, up to 64.",
    "Grey rows rise from below:", "keep the top three rows free.",
};

void paintRulesCard(cairo_t* cr) {
    paintCard(cr, 436, 232, 192, 150);
    paintLabel(cr, "HOW TO PLAY", 436, 242, 192, 12, 13, LabelInk);
    double y = 268;
    for (const char* line : rules) {
        paintLeftLabel(cr, line, 446, y, 9, 11.5, TextInk, false);
        y += 22;
    }
}

void paintFrame(Canvas& canvas) {
    cairo_t* cr = canvas.cr;
    paintSky(cr);
    paintLogo(cr, 16, 28, 196, 36, 46);
    paintControlsCard(cr);
    // The pile only decorates here: dimmed, so that it is not taken for a second well.
    cairo_push_group(cr);
    paintTitlePile(cr, 36, 470);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.3);
    paintHousing(cr);
    paintColumnLegend(cr);
    paintNextCard(cr);
    paintScoreCard(cr);
    paintRulesCard(cr);
    // The window over the well: fully transparent, so the board shows through.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, wellWindow.x, wellWindow.y, wellWindow.w, wellWindow.h);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// ---- resault.bmp ----------------------------------------------------------------------------

// A panel over the middle of the last game picture; everything round it stays transparent.
void paintResult(Canvas& canvas) {
    cairo_t* cr = canvas.cr;
    const double x = 170, y = 146, w = 320, h = 170;
    cairo_save(cr);
    cairo_translate(cr, 4, 5);
    artkit::roundedRect(cr, x, y, w, h, 12);
    artkit::setColour(cr, Black, 0.45);
    cairo_fill(cr);
    cairo_restore(cr);
    artkit::roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 12);
    cairo_pattern_t* panel = cairo_pattern_create_linear(0, y, 0, y + h);
    artkit::addStop(panel, 0, Rgb{60, 44, 110});
    artkit::addStop(panel, 1, Rgb{28, 22, 60});
    cairo_set_source(cr, panel);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(panel);
    artkit::setColour(cr, Rgb{255, 210, 90});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    paintLabel(cr, "GAME OVER", x, y + 18, w, 26, 38, Rgb{255, 214, 80});
    const Place& s = resultDigits;
    paintLabel(cr, "FINAL SCORE", s.x, s.y - 24, s.w, 12, 13, LabelInk);
    paintCard(cr, s.x - 6, s.y - 4, s.w + 12, s.h + 8);
}

// ---- char/1/back.bmp ------------------------------------------------------------------------

// Behind the well: deep blue, a faint grid on the cells, and a pale moon low in the corner; dark
// and quiet so that every block colour stands out.
void paintWellBack(Canvas& canvas) {
    cairo_t* cr = canvas.cr;
    cairo_pattern_t* deep = cairo_pattern_create_linear(0, 0, 0, canvas.height);
    artkit::addStop(deep, 0, Rgb{6, 6, 20});
    artkit::addStop(deep, 1, Rgb{24, 20, 56});
    cairo_rectangle(cr, 0, 0, canvas.width, canvas.height);
    cairo_set_source(cr, deep);
    cairo_fill(cr);
    cairo_pattern_destroy(deep);
    cairo_pattern_t* moon = cairo_pattern_create_radial(120, 330, 4, 120, 330, 70);
    artkit::addStop(moon, 0, Rgb{120, 110, 200}, 0.35);
    artkit::addStop(moon, 1, Rgb{120, 110, 200}, 0);
    cairo_rectangle(cr, 0, 0, canvas.width, canvas.height);
    cairo_set_source(cr, moon);
    cairo_fill(cr);
    cairo_pattern_destroy(moon);
    // Grid lines on the cell edges: the well's cells start 5 pixels right of this picture and
    // 25 pixels above it.
    const int left = wellWindow.x - wellBack.x, top = wellWindow.y - wellBack.y;
    for (int x = left; x <= canvas.width; x += Cell)
        fillRect(cr, x, 0, 1, canvas.height, White, 0.05);
    for (int y = top + Cell * 2; y <= canvas.height; y += Cell)
        fillRect(cr, 0, y, canvas.width, 1, White, 0.05);
}

// ---- the files ------------------------------------------------------------------------------

bool writeScreens(const std::string& dir) {
    Canvas title(ScreenW, ScreenH), cursor(menuLines[0].w, menuLines[0].h);
    Canvas frame(ScreenW, ScreenH), result(ScreenW, ScreenH);
    Canvas back(wellBack.w, wellBack.h);
    paintTitle(title);
    paintCursor(cursor.cr);
    paintFrame(frame);
    paintResult(result);
    paintWellBack(back);
    return artkit::writeBmp32(title, dir + "/backtitle.bmp", Green, Black) &&
           artkit::writeBmp32Over(cursor, dir + "/char.bmp", Green, title, menuLines[0].x,
                                  menuLines[0].y, Black) &&
           artkit::writeBmp32(frame, dir + "/back1p.bmp", Green, Black) &&
           artkit::writeBmp32Over(result, dir + "/resault.bmp", Green, frame, 0, 0, Black) &&
           artkit::makeFolders(dir + "/char/1") &&
           artkit::writeBmp32(back, dir + "/char/1/back.bmp", Green, Black);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: blocks_art OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (!artkit::makeFolders(dir) || !writeDigitSheet(dir + "/num.bmp") ||
        !writeBlockSheet(dir + "/block.bmp") || !writeScreens(dir)) {
        std::fprintf(stderr, "blocks_art: cannot write the pictures into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
