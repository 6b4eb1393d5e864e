#pragma once

// RGB images as the image test keeps them, and their PNG files.

#include <cstdint>
#include <string>
#include <vector>

namespace wobblux::gles_test {

// Pixel (x, y) with y growing downwards, 3 bytes a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* at(int x, int y) const {
        return &rgb[3 * (static_cast<std::size_t>(y) * width + x)];
    }
};

// Turns RGBA rows read back bottom to top (as glReadPixels gives them) into an RgbImage.
RgbImage fromBottomUpRgba(int width, int height, const std::vector<std::uint8_t>& rgba);

// Return false (with libpng's message in `error`) on failure.
bool writePng(const RgbImage& image, const std::string& path, std::string& error);
bool readPng(const std::string& path, RgbImage& image, std::string& error);

}  // namespace wobblux::gles_test
