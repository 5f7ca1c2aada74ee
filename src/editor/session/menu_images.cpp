#include "editor/session/menu_images.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

MenuImages g_menu_images;

constexpr std::size_t FILE_HEADER_BYTES = 14;
constexpr std::size_t INFO_HEADER_BYTES = 40;
constexpr uint8_t DIB_TRANSPARENT_SOURCE = 1;
constexpr uint8_t DIB_BLACK_SOURCE = 2;
constexpr uint8_t CANVAS_BLACK = 10;

uint32_t little_endian_uint32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool read_whole_file(const char* path, std::vector<uint8_t>* contents) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    uint8_t chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        contents->insert(contents->end(), chunk, chunk + count);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

void release_image(ImageRef* image) {
    std::free(image->bits);
    *image = ImageRef{};
}

}  // namespace

MenuImages& menu_images() { return g_menu_images; }

int decode_dib(const uint8_t* data, std::size_t size, ImageRef* image) {
    if (size < FILE_HEADER_BYTES + INFO_HEADER_BYTES || data[0] != 'B' || data[1] != 'M') {
        return -1;
    }
    const uint32_t pixel_offset = little_endian_uint32(data + 10);
    const auto width = static_cast<int32_t>(little_endian_uint32(data + 18));
    const auto stored_height = static_cast<int32_t>(little_endian_uint32(data + 22));
    // A top-down DIB stores a negative height; its magnitude is the height either way.
    const int64_t height = stored_height < 0 ? -static_cast<int64_t>(stored_height) : stored_height;
    if (width <= 0 || height <= 0 || height > INT32_MAX) {
        return -1;
    }
    const int64_t pixels = static_cast<int64_t>(width) * height;
    if (pixel_offset > size || pixels > static_cast<int64_t>(size - pixel_offset)) {
        return -1;
    }
    auto* bits = static_cast<uint8_t*>(std::malloc(static_cast<std::size_t>(pixels)));
    if (bits == nullptr) {
        return -1;
    }
    std::memcpy(bits, data + pixel_offset, static_cast<std::size_t>(pixels));
    for (int64_t i = 0; i < pixels; ++i) {
        if (bits[i] == DIB_TRANSPARENT_SOURCE) {
            bits[i] = 0;
        } else if (bits[i] == DIB_BLACK_SOURCE) {
            bits[i] = CANVAS_BLACK;
        }
    }
    set_image_ref(image, bits, width, static_cast<int32_t>(height));
    return 0;
}

int load_menu_image(const char* path, ImageRef* image) {
    std::vector<uint8_t> contents;
    if (!read_whole_file(path, &contents)) {
        return -1;
    }
    return decode_dib(contents.data(), contents.size(), image);
}

int load_menu_images(const char* folder, MenuImages* images) {
    release_menu_images(images);
    struct Entry {
        const char* file;
        ImageRef* image;
    };
    const Entry entries[] = {{"sysmenu.dib", &images->sysmenu},
                             {"animmenu.dib", &images->animmenu},
                             {"stpmenu.dib", &images->stpmenu},
                             {"editmenu.dib", &images->editmenu}};
    int sum = 0;
    for (const Entry& entry : entries) {
        sum += load_menu_image((std::string(folder) + entry.file).c_str(), entry.image);
    }
    return sum;
}

void release_menu_images(MenuImages* images) {
    release_image(&images->sysmenu);
    release_image(&images->animmenu);
    release_image(&images->stpmenu);
    release_image(&images->editmenu);
}
