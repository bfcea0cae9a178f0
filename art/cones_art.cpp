// cones_art.cpp: draws Quandrel's two sheets, cones.bmp (cones, holes, marks) and gui.bmp (words).
#include "artkit.h"

#include <cmath>
#include <cstdio>
#include <string>

using artkit::Canvas;
using artkit::Rgb;

namespace {

constexpr double Pi = 3.14159265358979;
constexpr Rgb Magenta{255, 0, 255};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Ink{24, 22, 30};

// The sheet is drawn on black, so every soft edge is blended over black.
constexpr int ConesSheetWidth = 424;
constexpr int ConesSheetHeight = 32;
constexpr int CellSize = 32;
constexpr int MarkSize = 10;
constexpr int MarkX = 324;     // mark m lies at MarkX + MarkSize * m
constexpr int RingX = 360;     // highlight ring
constexpr int DieX = 392;      // random-row marker
constexpr int ColourCount = 9; // cone c lies at CellSize * (c + 1)

enum class Symbol { Dot, Square, Triangle, Plus, Diamond, Star, Cross, Ring, Bars };

struct ConeLook {
    Rgb body;      // the cone's own colour
    Symbol symbol; // printed on its side so that colour-blind players can tell the nine apart
    bool darkInk;  // dark symbol on light cones, white symbol on dark ones
};

// Hues spread round the wheel, symbols all of different outline.
// body                 symbol             darkInk
constexpr ConeLook coneLooks[] = {
    {{226, 38, 38}, Symbol::Dot, false},      // red
    {{245, 140, 28}, Symbol::Square, true},   // orange
    {{250, 222, 40}, Symbol::Triangle, true}, // yellow
    {{46, 176, 62}, Symbol::Plus, false},     // green
    {{40, 208, 214}, Symbol::Diamond, true},  // cyan
    {{44, 84, 226}, Symbol::Star, false},     // blue
    {{146, 58, 204}, Symbol::Cross, false},   // purple
    {{246, 128, 186}, Symbol::Ring, true},    // pink
    {{236, 236, 232}, Symbol::Bars, true},    // white
};
static_assert(sizeof(coneLooks) / sizeof(coneLooks[0]) == ColourCount, "one look per colour");

// ---- the hole -------------------------------------------------------------------------------

// An empty slot: a round socket seen a little from above, its far wall in shadow and its near
// lip catching the light, so that it reads as a hole a cone would stand in.
void drawHole(cairo_t* cr, double ox) {
    const double cx = ox + 16, cy = 21, rx = 13, ry = 7.5;
    cairo_pattern_t* lip = cairo_pattern_create_linear(0, cy - ry, 0, cy + ry);
    artkit::addStop(lip, 0, Rgb{70, 68, 84});
    artkit::addStop(lip, 1, Rgb{172, 170, 190});
    artkit::ellipsePath(cr, cx, cy, rx, ry);
    cairo_set_source(cr, lip);
    cairo_fill(cr);
    cairo_pattern_destroy(lip);

    cairo_pattern_t* depth = cairo_pattern_create_radial(cx, cy + 2, 1, cx, cy, rx);
    artkit::addStop(depth, 0, Rgb{6, 6, 10});
    artkit::addStop(depth, 0.75, Rgb{18, 18, 26});
    artkit::addStop(depth, 1, Rgb{40, 40, 52});
    artkit::ellipsePath(cr, cx, cy + 0.8, rx - 2.2, ry - 1.8);
    cairo_set_source(cr, depth);
    cairo_fill(cr);
    cairo_pattern_destroy(depth);
}

// ---- the cones ------------------------------------------------------------------------------

// The outline of a cone standing on an elliptic base: two lines from the apex touching the base
// ellipse, closed by the near half of the ellipse.
void conePath(cairo_t* cr, double cx, double apexY, double baseY, double rx, double ry) {
    const double d = baseY - apexY;
    const double touch = std::asin(ry / d); // where the sides meet the ellipse
    cairo_new_path(cr);
    cairo_move_to(cr, cx, apexY);
    cairo_save(cr);
    cairo_translate(cr, cx, baseY);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, -touch, Pi + touch);
    cairo_restore(cr);
    cairo_close_path(cr);
}

void symbolPath(cairo_t* cr, Symbol symbol, double cx, double cy, double r) {
    switch (symbol) {
    case Symbol::Dot:
        cairo_arc(cr, cx, cy, r * 0.95, 0, 2 * Pi);
        break;
    case Symbol::Square:
        cairo_rectangle(cr, cx - r * 0.82, cy - r * 0.82, r * 1.64, r * 1.64);
        break;
    case Symbol::Triangle:
        cairo_move_to(cr, cx, cy - r * 1.05);
        cairo_line_to(cr, cx + r * 1.05, cy + r * 0.85);
        cairo_line_to(cr, cx - r * 1.05, cy + r * 0.85);
        cairo_close_path(cr);
        break;
    case Symbol::Plus:
        cairo_rectangle(cr, cx - r, cy - r * 0.33, 2 * r, r * 0.66);
        cairo_rectangle(cr, cx - r * 0.33, cy - r, r * 0.66, 2 * r);
        break;
    case Symbol::Diamond:
        cairo_move_to(cr, cx, cy - r * 1.15);
        cairo_line_to(cr, cx + r * 0.95, cy);
        cairo_line_to(cr, cx, cy + r * 1.15);
        cairo_line_to(cr, cx - r * 0.95, cy);
        cairo_close_path(cr);
        break;
    case Symbol::Star:
        for (int i = 0; i < 10; ++i) {
            double a = -Pi / 2 + i * Pi / 5, rr = (i % 2 ? 0.45 : 1.15) * r;
            cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
        }
        cairo_close_path(cr);
        break;
    case Symbol::Cross:
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, Pi / 4);
        cairo_rectangle(cr, -r * 1.15, -r * 0.3, 2.3 * r, r * 0.6);
        cairo_rectangle(cr, -r * 0.3, -r * 1.15, r * 0.6, 2.3 * r);
        cairo_restore(cr);
        break;
    case Symbol::Ring:
        cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, r * 0.5, 2 * Pi, 0);
        break;
    case Symbol::Bars:
        cairo_rectangle(cr, cx - r, cy - r * 0.85, 2 * r, r * 0.6);
        cairo_rectangle(cr, cx - r, cy - r * 0.15, 2 * r, r * 0.6);
        cairo_rectangle(cr, cx - r, cy + r * 0.55, 2 * r, r * 0.6);
        break;
    }
}

// A cone lit from the upper left: a sideways gradient for the round body, a soft gleam down its
// left flank, a darker base rim, and its symbol printed on the wide lower part.
void drawCone(cairo_t* cr, double ox, const ConeLook& look) {
    const double cx = ox + 16, apexY = 2.5, baseY = 25.5, rx = 12.5, ry = 4.5;
    cairo_pattern_t* shade = cairo_pattern_create_linear(cx - rx, 0, cx + rx, 0);
    artkit::addStop(shade, 0, artkit::mix(look.body, White, 0.35));
    artkit::addStop(shade, 0.38, look.body);
    artkit::addStop(shade, 1, artkit::mix(look.body, Black, 0.55));
    conePath(cr, cx, apexY, baseY, rx, ry);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);

    // The gleam: a thin sliver from the apex to the left of the base.
    cairo_move_to(cr, cx - 0.3, apexY + 2);
    cairo_line_to(cr, cx - 6.5, baseY + 1.5);
    cairo_line_to(cr, cx - 3.5, baseY + 2.5);
    cairo_close_path(cr);
    artkit::setColour(cr, White, 0.28);
    cairo_fill(cr);

    // The near rim of the base, in the cone's own shadow colour.
    cairo_save(cr);
    cairo_translate(cr, cx, baseY);
    cairo_scale(cr, rx - 0.6, ry - 0.6);
    cairo_arc(cr, 0, 0, 1, 0.15, Pi - 0.15);
    cairo_restore(cr);
    artkit::setColour(cr, artkit::mix(look.body, Black, 0.6), 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    // The symbol, with a faint halo of the opposite tone so that it stays crisp on any shade.
    const Rgb ink = look.darkInk ? Ink : White;
    const Rgb halo = look.darkInk ? White : Ink;
    symbolPath(cr, look.symbol, cx, 19, 4.4);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    artkit::setColour(cr, halo, 0.35);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    artkit::setColour(cr, ink);
    cairo_fill(cr);
}

// ---- marks, ring and die --------------------------------------------------------------------

// No mark: only a dim hollow dot, so that an unchecked or unmatched place is still visible.
void drawMarkNone(cairo_t* cr, double ox) {
    cairo_arc(cr, ox + 5, 5, 2.6, 0, 2 * Pi);
    artkit::setColour(cr, Rgb{92, 92, 104});
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

// Right colour, wrong slot: a round white peg.
void drawMarkColour(cairo_t* cr, double ox) {
    cairo_pattern_t* shine = cairo_pattern_create_radial(ox + 4, 3.8, 0.5, ox + 5, 5, 4.4);
    artkit::addStop(shine, 0, White);
    artkit::addStop(shine, 1, Rgb{206, 206, 214});
    cairo_arc(cr, ox + 5, 5, 4.2, 0, 2 * Pi);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
}

// Right colour in the right slot: a solid red square peg, unlike the others in colour and shape.
void drawMarkExact(cairo_t* cr, double ox) {
    artkit::roundedRect(cr, ox + 1, 1, 8, 8, 1.5);
    cairo_pattern_t* shade = cairo_pattern_create_linear(ox + 1, 1, ox + 9, 9);
    artkit::addStop(shade, 0, Rgb{255, 86, 70});
    artkit::addStop(shade, 1, Rgb{196, 16, 16});
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

// The hover highlight: a bright rounded frame along the cell's edge, leaving its middle clear so
// the cone or hole below stays in view.
void drawRing(cairo_t* cr, double ox) {
    artkit::roundedRect(cr, ox + 1.5, 1.5, 29, 29, 6);
    artkit::setColour(cr, Rgb{255, 214, 64});
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    artkit::roundedRect(cr, ox + 3.4, 3.4, 25.2, 25.2, 4.5);
    artkit::setColour(cr, Rgb{255, 244, 180}, 0.5);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// The random-row marker: an ivory die showing five.
void drawDie(cairo_t* cr, double ox) {
    artkit::roundedRect(cr, ox + 5, 5, 22, 22, 4.5);
    cairo_pattern_t* shade = cairo_pattern_create_linear(ox + 5, 5, ox + 27, 27);
    artkit::addStop(shade, 0, Rgb{255, 252, 240});
    artkit::addStop(shade, 1, Rgb{196, 188, 168});
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    artkit::setColour(cr, Rgb{120, 112, 96});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    constexpr double pips[5][2] = {{-5.5, -5.5}, {5.5, -5.5}, {0, 0}, {-5.5, 5.5}, {5.5, 5.5}};
    for (const auto& p : pips) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, ox + 16 + p[0], 16 + p[1], 2.2, 0, 2 * Pi);
    }
    artkit::setColour(cr, Rgb{150, 20, 30});
    cairo_fill(cr);
}

bool writeConesSheet(const std::string& path) {
    Canvas canvas(ConesSheetWidth, ConesSheetHeight);
    cairo_t* cr = canvas.cr;
    drawHole(cr, 0);
    for (int c = 0; c < ColourCount; ++c)
        drawCone(cr, CellSize * (c + 1), coneLooks[c]);
    drawMarkNone(cr, MarkX);
    drawMarkColour(cr, MarkX + MarkSize);
    drawMarkExact(cr, MarkX + 2 * MarkSize);
    drawRing(cr, RingX);
    drawDie(cr, DieX);
    return artkit::writeBmp565(canvas, path, Magenta, Black);
}

// ---- the words ------------------------------------------------------------------------------

constexpr int GuiSheetWidth = 232;
constexpr int GuiSheetHeight = 124;

enum class Style {
    Button, // a raised plate that reacts to the pointer
    Yes,    // the end-of-round answers, green and red plates
    No,
    Won, // the banners and the prompt: flat dark panels with coloured words
    Lost,
    Prompt,
};

struct GuiPicture {
    int x, y, w, h;   // the picture's rectangle in the sheet; the game cuts these exactly
    const char* text; // its words
    Style style;
};

// The plates stay one pixel inside their rectangles where two rectangles share a row (the quit
// button's top row is the answers' bottom row), so that no picture shows a sliver of another.
// x    y   w    h   text           style
constexpr GuiPicture guiPictures[] = {
    {0, 0, 53, 22, "Check", Style::Button},         // CheckButton
    {0, 25, 125, 20, "New game", Style::Button},    // NewGameButton
    {0, 73, 50, 21, "Quit", Style::Button},         // QuitButton (row 72 belongs to the answers)
    {129, 28, 100, 22, "You won!", Style::Won},     // WonBanner
    {0, 98, 215, 26, "Play again?", Style::Prompt}, // EndPrompt
    {0, 50, 46, 22, "Yes", Style::Yes},             // AgainButton (row 72 left clear)
    {48, 50, 33, 22, "No", Style::No},              // LeaveButton (row 72 left clear)
    {128, 0, 100, 23, "You lost", Style::Lost},     // LostBanner
};
static_assert(sizeof(guiPictures) / sizeof(guiPictures[0]) == 8, "one picture per button");

struct StyleLook {
    Rgb top, bottom, edge; // plate gradient and its outline
    Rgb text;
    double radius;   // of the plate's corners
    double fontSize; // pixels; shrunk only where the words would not fit
};

// One size per style, so that the words of a group of buttons match.
// top             bottom          edge             text             radius fontSize
constexpr StyleLook styleLooks[] = {
    {{88, 110, 156}, {40, 52, 86}, {150, 172, 220}, {255, 255, 255}, 5, 13}, // Button
    {{70, 170, 90}, {28, 96, 44}, {140, 220, 150}, {255, 255, 255}, 5, 13},  // Yes
    {{196, 70, 64}, {118, 30, 28}, {236, 140, 130}, {255, 255, 255}, 5, 13}, // No
    {{44, 40, 24}, {22, 20, 12}, {220, 180, 60}, {255, 214, 72}, 4, 15},     // Won
    {{44, 26, 30}, {22, 12, 14}, {200, 70, 70}, {255, 110, 100}, 4, 15},     // Lost
    {{34, 36, 52}, {18, 18, 28}, {110, 116, 150}, {235, 238, 255}, 4, 17},   // Prompt
};

void drawGuiPicture(cairo_t* cr, const GuiPicture& p) {
    const StyleLook& look = styleLooks[static_cast<int>(p.style)];
    artkit::roundedRect(cr, p.x + 0.5, p.y + 0.5, p.w - 1, p.h - 1, look.radius);
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, p.y, 0, p.y + p.h);
    artkit::addStop(plate, 0, look.top);
    artkit::addStop(plate, 1, look.bottom);
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    artkit::setColour(cr, look.edge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    artkit::labelPath(cr, p.text, p.x + 4, p.y + 3, p.w - 8, p.h - 6, look.fontSize);
    artkit::setColour(cr, Black, 0.45); // a dark edge lifts the words off the plate
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    artkit::setColour(cr, look.text);
    cairo_fill(cr);
}

bool writeGuiSheet(const std::string& path) {
    Canvas canvas(GuiSheetWidth, GuiSheetHeight);
    for (const GuiPicture& p : guiPictures)
        drawGuiPicture(canvas.cr, p);
    return artkit::writeBmp565(canvas, path, Magenta, Black);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cones_art OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (!artkit::makeFolders(dir) || !writeConesSheet(dir + "/cones.bmp") ||
        !writeGuiSheet(dir + "/gui.bmp")) {
        std::fprintf(stderr, "cones_art: cannot write the sheets into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
