// ico_file.cpp: Windows icon files: one picture at several sizes, each stored as PNG.
#include "ico_file.h"

#include <cstdint>
#include <fstream>

namespace artkit {

namespace {

constexpr std::size_t HeaderBytes = 6;
constexpr std::size_t EntryBytes = 16;

// Every number in the file is little-endian, whatever the machine that writes it.
void put16(std::string& out, unsigned value) {
    out += char(value & 0xff);
    out += char((value >> 8) & 0xff);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

} // namespace

bool writeIco(const std::vector<IcoImage>& images, const std::string& path) {
    std::string out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon, not a cursor
    put16(out, unsigned(images.size()));
    std::size_t offset = HeaderBytes + EntryBytes * images.size();
    for (const IcoImage& image : images) {
        if (image.size < 1 || image.size > 256)
            return false;
        // A side of 256 is written as 0: the field is one byte.
        out += char(image.size & 0xff);
        out += char(image.size & 0xff);
        out += char(0); // no palette
        out += char(0); // reserved
        put16(out, 1);  // colour planes
        put16(out, 32); // bits a pixel
        put32(out, std::uint32_t(image.png.size()));
        put32(out, std::uint32_t(offset));
        offset += image.png.size();
    }
    for (const IcoImage& image : images)
        out += image.png;
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), std::streamsize(out.size()));
    return bool(file.flush());
}

} // namespace artkit
