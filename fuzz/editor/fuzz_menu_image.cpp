// Decodes arbitrary bytes as a menu image, straight from memory and through the file reader, and
// draws what it accepts onto a canvas-sized buffer, so a header that lies about the pixels shows
// up under the sanitizers.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editor/session/menu_images.h"
#include "raster/raster.h"

namespace {

void draw_and_release(ImageRef* image, std::size_t size) {
    if (image->width <= 0 || image->height <= 0 ||
        static_cast<int64_t>(image->width) * image->height > static_cast<int64_t>(size)) {
        __builtin_trap();
    }
    std::vector<uint8_t> canvas(320 * 240, 255);
    blit_transparent(canvas.data(), 320, 240, image->bits, image->width, image->height, 0, 0);
    std::free(image->bits);
    *image = ImageRef{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ImageRef image;
    const int decoded = decode_dib(data, size, &image);
    if (decoded == 0) {
        draw_and_release(&image, size);
    } else if (image.bits != nullptr) {
        __builtin_trap();  // a refused file leaves the image alone
    }

    const int file = memfd_create("menu_image", 0);
    if (file < 0) return 0;
    if (write(file, data, size) == static_cast<ssize_t>(size)) {
        char path[64];
        std::snprintf(path, sizeof path, "/proc/self/fd/%d", file);
        ImageRef loaded;
        const int result = load_menu_image(path, &loaded);
        if (result != decoded) __builtin_trap();  // the file reader sees the same bytes
        if (result == 0) draw_and_release(&loaded, size);
    }
    close(file);
    return 0;
}
