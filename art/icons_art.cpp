// icons_art.cpp: draws the desktop icons of both games (PNG at 64 and 128 pixels, and SVG).
// Usage: icons_art OUTDIR, writing OUTDIR/{quandrel,drapple}-{64,128}.png and OUTDIR/{...}.svg.
#include <cairo-svg.h>
#include <cairo.h>

#include "artkit.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979;

// Both icons are drawn on a 128-unit square; the surfaces scale it.
void tile(cairo_t* cr, double r, double g, double b) {
    artkit::roundedRect(cr, 4, 4, 120, 120, 22);
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 4, 0, 124);
    cairo_pattern_add_color_stop_rgb(bg, 0, r * 1.2, g * 1.2, b * 1.2);
    cairo_pattern_add_color_stop_rgb(bg, 1, r * 0.6, g * 0.6, b * 0.6);
    cairo_set_source(cr, bg);
    cairo_fill(cr);
    cairo_pattern_destroy(bg);
}

void cone(cairo_t* cr, double cx, double base, double height, double r, double g, double b) {
    double half = height * 0.42;
    cairo_move_to(cr, cx, base - height);
    cairo_line_to(cr, cx + half, base);
    cairo_curve_to(cr, cx + half * 0.6, base + half * 0.35, cx - half * 0.6, base + half * 0.35,
                   cx - half, base);
    cairo_close_path(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(cx - half, 0, cx + half, 0);
    cairo_pattern_add_color_stop_rgb(shade, 0, r * 0.55, g * 0.55, b * 0.55);
    cairo_pattern_add_color_stop_rgb(shade, 0.4, r, g, b);
    cairo_pattern_add_color_stop_rgb(shade, 1, r * 0.45, g * 0.45, b * 0.45);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void drawQuandrel(cairo_t* cr) {
    tile(cr, 0.16, 0.18, 0.32);
    cone(cr, 40, 100, 62, 0.95, 0.25, 0.2);
    cone(cr, 88, 100, 62, 0.25, 0.55, 0.95);
    cone(cr, 64, 84, 66, 0.98, 0.8, 0.2);
    // Two marks: a right colour and a right slot.
    cairo_arc(cr, 30, 28, 7, 0, 2 * Pi);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    cairo_fill(cr);
    cairo_arc(cr, 98, 28, 7, 0, 2 * Pi);
    cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
    cairo_fill(cr);
}

void block(cairo_t* cr, double x, double y, double r, double g, double b) {
    const double s = 26;
    cairo_rectangle(cr, x, y, s, s);
    cairo_set_source_rgb(cr, r, g, b);
    cairo_fill(cr);
    cairo_move_to(cr, x, y + s);
    cairo_line_to(cr, x, y);
    cairo_line_to(cr, x + s, y);
    cairo_line_to(cr, x + s - 4, y + 4);
    cairo_line_to(cr, x + 4, y + 4);
    cairo_line_to(cr, x + 4, y + s - 4);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_fill(cr);
    cairo_move_to(cr, x + s, y);
    cairo_line_to(cr, x + s, y + s);
    cairo_line_to(cr, x, y + s);
    cairo_line_to(cr, x + 4, y + s - 4);
    cairo_line_to(cr, x + s - 4, y + s - 4);
    cairo_line_to(cr, x + s - 4, y + 4);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
}

void drawDrapple(cairo_t* cr) {
    tile(cr, 0.12, 0.24, 0.2);
    block(cr, 51, 16, 0.95, 0.55, 0.15); // a falling piece
    block(cr, 51, 42, 0.95, 0.55, 0.15);
    block(cr, 77, 42, 0.95, 0.55, 0.15);
    block(cr, 12, 90, 0.3, 0.7, 0.95); // the stack
    block(cr, 38, 90, 0.85, 0.3, 0.5);
    block(cr, 64, 90, 0.4, 0.85, 0.35);
    block(cr, 90, 90, 0.6, 0.6, 0.6);
    block(cr, 12, 64, 0.3, 0.7, 0.95);
}

using Painter = void (*)(cairo_t*);

bool writePng(Painter paint, int size, const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, size / 128.0, size / 128.0);
    paint(cr);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

bool writeSvg(Painter paint, const std::string& path) {
    cairo_surface_t* s = cairo_svg_surface_create(path.c_str(), 128, 128);
    cairo_t* cr = cairo_create(s);
    paint(cr);
    cairo_destroy(cr);
    cairo_surface_finish(s);
    bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icons_art OUTDIR\n");
        return 2;
    }
    const std::string out = argv[1];
    struct Icon {
        const char* name;
        Painter paint;
    };
    constexpr Icon icons[] = {{"quandrel", drawQuandrel}, {"drapple", drawDrapple}};
    bool ok = true;
    for (const Icon& icon : icons) {
        const std::string base = out + "/" + icon.name;
        ok = writePng(icon.paint, 64, base + "-64.png") && ok;
        ok = writePng(icon.paint, 128, base + "-128.png") && ok;
        ok = writeSvg(icon.paint, base + ".svg") && ok;
    }
    if (!ok)
        std::fprintf(stderr, "icons_art: cannot write the icons into %s\n", out.c_str());
    return ok ? 0 : 1;
}
