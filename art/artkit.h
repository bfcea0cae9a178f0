// artkit.h: what both picture generators share: a Cairo canvas, fitted text, and the BMP writers.
#pragma once

#include <cairo.h>

#include <string>

namespace artkit {

struct Rgb {
    unsigned char r, g, b;
};

// A Cairo ARGB canvas, cleared to fully transparent.
struct Canvas {
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_surface_t* surface;
    cairo_t* cr;
    int width;
    int height;
};

// Writes the canvas as an uncompressed 24-bit Windows BMP. Fully transparent pixels become `key`;
// partly transparent ones are blended over `matte`, and no visible pixel is allowed to equal `key`.
// Returns false when the file cannot be written.
bool writeBmp24(const Canvas& canvas, const std::string& path, Rgb key, Rgb matte);

// The same as a 16-bit 5-6-5 BMP (BI_BITFIELDS), for a game whose screen has that format: its
// blits become plain copies. Channels keep their top bits, exactly what a blit of the 24-bit
// picture to such a screen keeps; a visible pixel never takes the key's 16-bit value.
bool writeBmp565(const Canvas& canvas, const std::string& path, Rgb key, Rgb matte);

// The same as writeBmp24, for a picture the game draws over another known picture: partly
// transparent pixels are blended over the pixel of `under` that lies below them when the canvas's
// top-left corner stands at (atX, atY) on it, and over `matte` outside it.
bool writeBmp24Over(const Canvas& canvas, const std::string& path, Rgb key, const Canvas& under,
                    int atX, int atY, Rgb matte);

// The same two as 32-bit BMPs, 8-8-8 with a spare byte (BI_BITFIELDS), for a game that converts
// its pictures to a 32-bit screen when it loads them: the conversion becomes a plain copy.
bool writeBmp32(const Canvas& canvas, const std::string& path, Rgb key, Rgb matte);
bool writeBmp32Over(const Canvas& canvas, const std::string& path, Rgb key, const Canvas& under,
                    int atX, int atY, Rgb matte);

// The colour of a canvas pixel as if the canvas were drawn over `matte`.
Rgb pixelOver(const Canvas& canvas, int x, int y, Rgb matte);

// Draws `text` in DejaVu Sans (through fontconfig), as large as fits inside the box, centred.
void drawFittedText(cairo_t* cr, const char* text, double x, double y, double w, double h,
                    bool bold = true);

// Adds the path of `text` in DejaVu Sans to `cr`, at most `maxSize` pixels tall and narrow enough
// for the box, centred on the box by its capital height so that labels of one size share a
// baseline whether or not they have descenders. Fill or stroke it afterwards.
void labelPath(cairo_t* cr, const char* text, double x, double y, double w, double h,
               double maxSize, bool bold = true);

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

// `a` moved the fraction `t` of the way towards `b`.
Rgb mix(Rgb a, Rgb b, double t);
// Adds a colour stop to a Cairo gradient.
void addStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha = 1.0);

// Makes the folder and its parents; returns false on failure.
bool makeFolders(const std::string& path);

} // namespace artkit
