// bmp_variant.cpp: writes a picture again as an unusual but valid Windows BMP, for the tests of
// damaged pictures: one pixel only, an 8-bit palette, or 32 bits a pixel.
//
// usage: bmp_variant tiny|palette|deep SOURCE.bmp OUT.bmp
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The file and info headers of an uncompressed BMP stored bottom-up.
void putHeaders(std::vector<uint8_t>& out, int w, int h, int bits, int paletteSize, int rowBytes) {
    uint32_t pixelsAt = 14 + 40 + 4 * paletteSize;
    out.push_back('B');
    out.push_back('M');
    put32(out, pixelsAt + rowBytes * h);
    put32(out, 0);
    put32(out, pixelsAt);
    put32(out, 40);
    put32(out, w);
    put32(out, h);
    put16(out, 1);
    put16(out, bits);
    put32(out, 0); // no compression
    put32(out, rowBytes * h);
    put32(out, 2835); // 72 dots an inch
    put32(out, 2835);
    put32(out, paletteSize);
    put32(out, 0);
}

// Red, green and blue of pixel (x, y) of a 32-bit 0x00RRGGBB surface.
void colourAt(SDL_Surface* rgb, int x, int y, uint8_t* r, uint8_t* g, uint8_t* b) {
    uint32_t value = static_cast<uint32_t*>(rgb->pixels)[y * rgb->pitch / 4 + x];
    *r = uint8_t(value >> 16);
    *g = uint8_t(value >> 8);
    *b = uint8_t(value);
}

// 3 bits of red, 3 of green, 2 of blue: pure green and magenta, the key colours, stay exact.
uint8_t paletteIndex(uint8_t r, uint8_t g, uint8_t b) {
    return uint8_t((r >> 5) << 5 | (g >> 5) << 2 | b >> 6);
}

std::vector<uint8_t> palettePicture(SDL_Surface* rgb) {
    std::vector<uint8_t> out;
    int rowBytes = (rgb->w + 3) / 4 * 4;
    putHeaders(out, rgb->w, rgb->h, 8, 256, rowBytes);
    for (int i = 0; i < 256; ++i) {
        out.push_back(uint8_t((i & 3) * 255 / 3));
        out.push_back(uint8_t((i >> 2 & 7) * 255 / 7));
        out.push_back(uint8_t((i >> 5) * 255 / 7));
        out.push_back(0);
    }
    for (int y = rgb->h - 1; y >= 0; --y) {
        for (int x = 0; x < rowBytes; ++x) {
            uint8_t r = 0, g = 0, b = 0;
            if (x < rgb->w)
                colourAt(rgb, x, y, &r, &g, &b);
            out.push_back(x < rgb->w ? paletteIndex(r, g, b) : 0);
        }
    }
    return out;
}

std::vector<uint8_t> deepPicture(SDL_Surface* rgb) {
    std::vector<uint8_t> out;
    putHeaders(out, rgb->w, rgb->h, 32, 0, 4 * rgb->w);
    for (int y = rgb->h - 1; y >= 0; --y) {
        for (int x = 0; x < rgb->w; ++x) {
            uint8_t r, g, b;
            colourAt(rgb, x, y, &r, &g, &b);
            out.insert(out.end(), {b, g, r, 0xFF});
        }
    }
    return out;
}

std::vector<uint8_t> tinyPicture() {
    std::vector<uint8_t> out;
    putHeaders(out, 1, 1, 24, 0, 4);
    out.insert(out.end(), {0x40, 0x80, 0xC0, 0});
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bmp_variant tiny|palette|deep SOURCE.bmp OUT.bmp\n");
        return 2;
    }
    SDL_Surface* source = SDL_LoadBMP(argv[2]);
    if (!source) {
        std::fprintf(stderr, "%s: %s\n", argv[2], SDL_GetError());
        return 1;
    }
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, source->w, source->h, 32, 0xFF0000,
                                            0x00FF00, 0x0000FF, 0);
    SDL_BlitSurface(source, nullptr, rgb, nullptr);
    std::vector<uint8_t> out;
    if (std::strcmp(argv[1], "tiny") == 0)
        out = tinyPicture();
    else if (std::strcmp(argv[1], "palette") == 0)
        out = palettePicture(rgb);
    else if (std::strcmp(argv[1], "deep") == 0)
        out = deepPicture(rgb);
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(source);
    if (out.empty()) {
        std::fprintf(stderr, "unknown variant %s\n", argv[1]);
        return 2;
    }
    FILE* file = std::fopen(argv[3], "wb");
    if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
