// ico_file.h: Windows icon files: one picture at several sizes, each stored as PNG.
#pragma once

#include <string>
#include <vector>

namespace artkit {

struct IcoImage {
    int size;        // width and height in pixels, 1 to 256
    std::string png; // the picture, a 32-bit PNG file's bytes
};

// Writes the images into one .ico file, in the order given. Returns false when a size is out of
// range or the file cannot be written.
bool writeIco(const std::vector<IcoImage>& images, const std::string& path);

} // namespace artkit
