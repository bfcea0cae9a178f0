// artkit.cpp: the Cairo canvas, fitted text and the BMP writers shared by the generators.
#include "artkit.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace artkit {

Canvas::Canvas(int w, int h)
    : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), cr(cairo_create(surface)),
      width(w), height(h) {
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

namespace {

void putLe16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}

void putLe32(std::vector<unsigned char>& out, uint32_t v) {
    putLe16(out, v & 0xffff);
    putLe16(out, v >> 16);
}

// Cairo stores premultiplied colour; blending over the matte undoes the premultiplication.
Rgb blendOver(uint32_t argb, Rgb matte) {
    unsigned a = argb >> 24;
    auto channel = [a](unsigned premultiplied, unsigned under) {
        return static_cast<unsigned char>(std::min(255u, premultiplied + under * (255 - a) / 255));
    };
    return Rgb{channel((argb >> 16) & 0xff, matte.r), channel((argb >> 8) & 0xff, matte.g),
               channel(argb & 0xff, matte.b)};
}

// A visible pixel that happens to come out as the key is nudged off it, or it would vanish.
Rgb flatten(uint32_t argb, Rgb key, Rgb matte) {
    if ((argb >> 24) == 0)
        return key;
    Rgb c = blendOver(argb, matte);
    if (c.r == key.r && c.g == key.g && c.b == key.b)
        c.g = static_cast<unsigned char>(key.g > 127 ? key.g - 1 : key.g + 1);
    return c;
}

// The pixel layouts the writers produce.
enum class Depth { Rgb24, Rgb565, Xrgb8888 };

// 5-6-5 by dropping the low bits, as a blit to a 16-bit screen does, so that a picture stored this
// way shows exactly the pixels its 24-bit form showed there. A visible pixel that lands on the
// key's 16-bit value is moved one green step off it, or it would vanish.
uint16_t pack565(Rgb c, uint16_t key565, bool visible) {
    uint16_t p = uint16_t((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
    if (visible && p == key565)
        p ^= 1 << 5;
    return p;
}

// The file and info headers; 16- and 32-bit pictures add their three channel masks
// (BI_BITFIELDS), so that no reader takes the spare byte of a 32-bit pixel for alpha.
void putHeaders(std::vector<unsigned char>& out, const Canvas& canvas, Depth depth,
                uint32_t pixelBytes) {
    const bool packed = depth != Depth::Rgb24;
    const bool wide = depth == Depth::Xrgb8888;
    const uint32_t offset = packed ? 66 : 54;
    out.push_back('B');
    out.push_back('M');
    putLe32(out, offset + pixelBytes);
    putLe32(out, 0);
    putLe32(out, offset);
    putLe32(out, 40);
    putLe32(out, canvas.width);
    putLe32(out, canvas.height);
    putLe16(out, 1);
    putLe16(out, wide ? 32 : packed ? 16 : 24);
    putLe32(out, packed ? 3 : 0); // BI_BITFIELDS, or no compression
    putLe32(out, pixelBytes);
    putLe32(out, 2835); // 72 dpi
    putLe32(out, 2835);
    putLe32(out, 0);
    putLe32(out, 0);
    if (packed) {
        putLe32(out, wide ? 0xff0000 : 0xf800);
        putLe32(out, wide ? 0x00ff00 : 0x07e0);
        putLe32(out, wide ? 0x0000ff : 0x001f);
    }
}

// Folds a whole canvas into BMP bytes; `matteAt(x, y)` gives the colour under each pixel.
template <typename MatteAt>
bool writeFolded(const Canvas& canvas, const std::string& path, Rgb key, Depth depth,
                 MatteAt matteAt) {
    cairo_surface_flush(canvas.surface);
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface);
    const int stride = cairo_image_surface_get_stride(canvas.surface);
    const uint32_t pixelSize = depth == Depth::Rgb565 ? 2 : depth == Depth::Xrgb8888 ? 4 : 3;
    const uint32_t rowBytes = (canvas.width * pixelSize + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * canvas.height;
    const uint16_t key565 = pack565(key, 0, false);

    std::vector<unsigned char> out;
    out.reserve(66 + pixelBytes);
    putHeaders(out, canvas, depth, pixelBytes);
    for (int y = canvas.height - 1; y >= 0; --y) { // BMP rows run bottom-up
        auto row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < canvas.width; ++x) {
            Rgb c = flatten(row[x], key, matteAt(x, y));
            if (depth == Depth::Rgb565) {
                putLe16(out, pack565(c, key565, (row[x] >> 24) != 0));
                continue;
            }
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            if (depth == Depth::Xrgb8888)
                out.push_back(0);
        }
        for (uint32_t pad = canvas.width * pixelSize; pad < rowBytes; ++pad)
            out.push_back(0);
    }

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

bool writeBmp24(const Canvas& canvas, const std::string& path, Rgb key, Rgb matte) {
    return writeFolded(canvas, path, key, Depth::Rgb24, [matte](int, int) { return matte; });
}

bool writeBmp565(const Canvas& canvas, const std::string& path, Rgb key, Rgb matte) {
    return writeFolded(canvas, path, key, Depth::Rgb565, [matte](int, int) { return matte; });
}

bool writeBmp24Over(const Canvas& canvas, const std::string& path, Rgb key, const Canvas& under,
                    int atX, int atY, Rgb matte) {
    cairo_surface_flush(under.surface);
    return writeFolded(canvas, path, key, Depth::Rgb24,
                       [&](int x, int y) { return pixelOver(under, x + atX, y + atY, matte); });
}

bool writeBmp32(const Canvas& canvas, const std::string& path, Rgb key, Rgb matte) {
    return writeFolded(canvas, path, key, Depth::Xrgb8888, [matte](int, int) { return matte; });
}

bool writeBmp32Over(const Canvas& canvas, const std::string& path, Rgb key, const Canvas& under,
                    int atX, int atY, Rgb matte) {
    cairo_surface_flush(under.surface);
    return writeFolded(canvas, path, key, Depth::Xrgb8888,
                       [&](int x, int y) { return pixelOver(under, x + atX, y + atY, matte); });
}

Rgb pixelOver(const Canvas& canvas, int x, int y, Rgb matte) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height)
        return matte;
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface);
    const int stride = cairo_image_surface_get_stride(canvas.surface);
    return blendOver(reinterpret_cast<const uint32_t*>(data + y * stride)[x], matte);
}

void drawFittedText(cairo_t* cr, const char* text, double x, double y, double w, double h,
                    bool bold) {
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    double size = h;
    cairo_text_extents_t ext;
    for (;; size -= 0.5) {
        cairo_set_font_size(cr, size);
        cairo_text_extents(cr, text, &ext);
        if ((ext.width <= w && ext.height <= h) || size <= 4)
            break;
    }
    double tx = x + (w - ext.width) / 2 - ext.x_bearing;
    double ty = y + (h - ext.height) / 2 - ext.y_bearing;
    cairo_move_to(cr, tx, ty);
    cairo_show_text(cr, text);
    cairo_restore(cr);
}

void labelPath(cairo_t* cr, const char* text, double x, double y, double w, double h,
               double maxSize, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    double size = maxSize;
    cairo_text_extents_t ext, cap;
    for (;; size -= 0.25) {
        cairo_set_font_size(cr, size);
        cairo_text_extents(cr, text, &ext);
        cairo_text_extents(cr, "H", &cap);
        if ((ext.width <= w && -cap.y_bearing <= h) || size <= 4)
            break;
    }
    double tx = x + (w - ext.width) / 2 - ext.x_bearing;
    double baseline = y + (h - cap.y_bearing) / 2;
    cairo_move_to(cr, tx, baseline);
    cairo_text_path(cr, text);
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double pi = 3.14159265358979;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979);
    cairo_close_path(cr);
    cairo_restore(cr);
}

Rgb mix(Rgb a, Rgb b, double t) {
    auto channel = [t](unsigned char from, unsigned char to) {
        return static_cast<unsigned char>(from + (to - from) * t + 0.5);
    };
    return Rgb{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void addStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0,
                                      alpha);
}

bool makeFolders(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
    }
    return true;
}

} // namespace artkit
