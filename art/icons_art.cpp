// icons_art.cpp: draws the icons of both games: for the desktop (PNG at 64 and 128 pixels, and SVG)
// and for the web apps (PNG at 192 and 512 pixels, a maskable one, and the site's favicon).
// Usage: icons_art OUTDIR, writing OUTDIR/{quandrel,drapple}-{64,128}.png and OUTDIR/{...}.svg;
//        icons_art --web OUTDIR, writing OUTDIR/{quandrel,drapple}-{192,512,maskable-512}.png and
//        OUTDIR/site-{16,32,48}.png, the favicon's sizes;
//        icons_art --windows OUTDIR, writing OUTDIR/{quandrel,drapple}.ico, the programs' icons.
#include <cairo-svg.h>
#include <cairo.h>

#include "artkit.h"
#include "ico_file.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979;

// Every icon is drawn on a 128-unit square; the surfaces scale it.
struct Colour {
    double r, g, b;
};

// The icon's background: a rounded tile lit from above, or with `fullBleed` the whole square, for
// a maskable icon that the system cuts to its own shape.
void tile(cairo_t* cr, Colour c, bool fullBleed = false) {
    const double r = c.r, g = c.g, b = c.b;
    if (fullBleed)
        cairo_rectangle(cr, 0, 0, 128, 128);
    else
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

constexpr Colour QuandrelTile = {0.16, 0.18, 0.32};
constexpr Colour DrappleTile = {0.12, 0.24, 0.2};

// Three cones and a white and a red mark.
void quandrelFigures(cairo_t* cr) {
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

// A falling piece over a stack.
void drappleFigures(cairo_t* cr) {
    block(cr, 51, 16, 0.95, 0.55, 0.15); // a falling piece
    block(cr, 51, 42, 0.95, 0.55, 0.15);
    block(cr, 77, 42, 0.95, 0.55, 0.15);
    block(cr, 12, 90, 0.3, 0.7, 0.95); // the stack
    block(cr, 38, 90, 0.85, 0.3, 0.5);
    block(cr, 64, 90, 0.4, 0.85, 0.35);
    block(cr, 90, 90, 0.6, 0.6, 0.6);
    block(cr, 12, 64, 0.3, 0.7, 0.95);
}

// The front page's icon: a cone of one game beside a piece of the other.
void siteFigures(cairo_t* cr) {
    cone(cr, 38, 104, 76, 0.98, 0.8, 0.2);
    block(cr, 72, 26, 0.95, 0.55, 0.15);
    block(cr, 72, 52, 0.95, 0.55, 0.15);
    block(cr, 98, 52, 0.95, 0.55, 0.15);
    block(cr, 72, 78, 0.3, 0.7, 0.95);
}

using Painter = void (*)(cairo_t*);

struct IconArt {
    const char* name;
    Colour background;
    Painter figures;
};

constexpr IconArt gameIcons[] = {
    // name       background     figures
    {"quandrel", QuandrelTile, quandrelFigures},
    {"drapple", DrappleTile, drappleFigures},
};
constexpr IconArt siteIcon = {"site", {0.15, 0.2, 0.28}, siteFigures};

// The maskable icon keeps its figures inside the middle circle (80 % across) that every mask
// leaves whole.
constexpr double MaskableScale = 0.7;

void paint(cairo_t* cr, const IconArt& art, bool maskable) {
    tile(cr, art.background, maskable);
    if (maskable) {
        cairo_translate(cr, 64, 64);
        cairo_scale(cr, MaskableScale, MaskableScale);
        cairo_translate(cr, -64, -64);
    }
    art.figures(cr);
}

// The icon drawn at a size; the caller destroys the surface.
cairo_surface_t* drawIcon(const IconArt& art, int size, bool maskable) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, size / 128.0, size / 128.0);
    paint(cr, art, maskable);
    cairo_destroy(cr);
    return s;
}

bool writePng(const IconArt& art, int size, const std::string& path, bool maskable = false) {
    cairo_surface_t* s = drawIcon(art, size, maskable);
    bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// The icon at a size as a PNG file's bytes, for an icon file to hold.
artkit::IcoImage pngImage(const IconArt& art, int size) {
    artkit::IcoImage image{size, {}};
    cairo_surface_t* s = drawIcon(art, size, false);
    if (cairo_surface_write_to_png_stream(s, appendBytes, &image.png) != CAIRO_STATUS_SUCCESS)
        image.png.clear();
    cairo_surface_destroy(s);
    return image;
}

bool writeSvg(const IconArt& art, const std::string& path) {
    cairo_surface_t* s = cairo_svg_surface_create(path.c_str(), 128, 128);
    cairo_t* cr = cairo_create(s);
    paint(cr, art, false);
    cairo_destroy(cr);
    cairo_surface_finish(s);
    bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

bool writeDesktopIcons(const std::string& out) {
    bool ok = true;
    for (const IconArt& art : gameIcons) {
        const std::string base = out + "/" + art.name;
        ok = writePng(art, 64, base + "-64.png") && ok;
        ok = writePng(art, 128, base + "-128.png") && ok;
        ok = writeSvg(art, base + ".svg") && ok;
    }
    return ok;
}

// The sizes browsers ask of an installed web app, and the favicon's.
bool writeWebIcons(const std::string& out) {
    bool ok = true;
    for (const IconArt& art : gameIcons) {
        const std::string base = out + "/" + art.name;
        ok = writePng(art, 192, base + "-192.png") && ok;
        ok = writePng(art, 512, base + "-512.png") && ok;
        ok = writePng(art, 512, base + "-maskable-512.png", true) && ok;
    }
    for (int size : {16, 32, 48})
        ok = writePng(siteIcon, size, out + "/site-" + std::to_string(size) + ".png") && ok;
    return ok;
}

// The sizes Windows shows a program's icon at: lists and title bars, the desktop, the large views.
bool writeWindowsIcons(const std::string& out) {
    bool ok = true;
    for (const IconArt& art : gameIcons) {
        std::vector<artkit::IcoImage> images;
        for (int size : {16, 24, 32, 48, 64, 256}) {
            images.push_back(pngImage(art, size));
            ok = !images.back().png.empty() && ok;
        }
        ok = artkit::writeIco(images, out + "/" + art.name + ".ico") && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (argc != 2 && mode != "--web" && mode != "--windows") {
        std::fprintf(stderr, "usage: icons_art [--web | --windows] OUTDIR\n");
        return 2;
    }
    const std::string out = argv[argc - 1];
    const bool ok = mode == "--web"       ? writeWebIcons(out)
                    : mode == "--windows" ? writeWindowsIcons(out)
                                          : writeDesktopIcons(out);
    if (!ok)
        std::fprintf(stderr, "icons_art: cannot write the icons into %s\n", out.c_str());
    return ok ? 0 : 1;
}
