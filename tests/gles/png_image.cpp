#include "png_image.h"

#include <png.h>

#include <cstring>

namespace wobblux::gles_test {

RgbImage fromBottomUpRgba(int width, int height, const std::vector<std::uint8_t>& rgba) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.rgb.resize(static_cast<std::size_t>(3) * width * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = &rgba[4 * static_cast<std::size_t>(height - 1 - y) * width];
        std::uint8_t* out = &image.rgb[3 * static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            out[3 * x] = in[4 * x];
            out[3 * x + 1] = in[4 * x + 1];
            out[3 * x + 2] = in[4 * x + 2];
        }
    }
    return image;
}

bool writePng(const RgbImage& image, const std::string& path, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&png, path.c_str(), 0, image.rgb.data(), 0, nullptr) == 0) {
        error = path + ": " + png.message;
        return false;
    }
    return true;
}

bool readPng(const std::string& path, RgbImage& image, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        error = path + ": " + png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) == 0) {
        error = path + ": " + png.message;
        png_image_free(&png);
        return false;
    }
    return true;
}

}  // namespace wobblux::gles_test
