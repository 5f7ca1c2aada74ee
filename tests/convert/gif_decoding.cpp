#include "gif_decoding.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "anim/frame.h"
#include "anim/run_length.h"

namespace {

struct Source {
    const std::vector<uint8_t>* bytes;
    size_t at = 0;
};

int read_bytes(GifFileType* file, GifByteType* into, int wanted) {
    auto* source = static_cast<Source*>(file->UserData);
    const size_t left = source->bytes->size() - source->at;
    const size_t n = std::min(left, static_cast<size_t>(wanted));
    std::memcpy(into, source->bytes->data() + source->at, n);
    source->at += n;
    return static_cast<int>(n);
}

bool is_loop_forever(const ExtensionBlock* blocks, int count) {
    for (int i = 0; i + 1 < count; ++i)
        if (blocks[i].Function == APPLICATION_EXT_FUNC_CODE && blocks[i].ByteCount == 11 &&
            std::memcmp(blocks[i].Bytes, "NETSCAPE2.0", 11) == 0 && blocks[i + 1].ByteCount == 3 &&
            blocks[i + 1].Bytes[0] == 1)
            return blocks[i + 1].Bytes[1] == 0 && blocks[i + 1].Bytes[2] == 0;
    return false;
}

}  // namespace

DecodedGif decode_with_giflib(const std::vector<uint8_t>& gif) {
    DecodedGif decoded;
    Source source{&gif};
    int error = 0;
    GifFileType* file = DGifOpen(&source, read_bytes, &error);
    if (file == nullptr) {
        decoded.error = GifErrorString(error);
        return decoded;
    }
    if (DGifSlurp(file) != GIF_OK) {
        decoded.error = GifErrorString(file->Error);
        DGifCloseFile(file, &error);
        return decoded;
    }
    decoded.width = file->SWidth;
    decoded.height = file->SHeight;
    const ColorMapObject* colours = file->SColorMap;
    std::vector<uint8_t> screen(static_cast<size_t>(decoded.width) * decoded.height, 0);
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage& image = file->SavedImages[i];
        if (i == 0)
            decoded.loops_forever =
                is_loop_forever(image.ExtensionBlocks, image.ExtensionBlockCount);
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(file, i, &control);
        decoded.all_kept = decoded.all_kept && control.DisposalMode == DISPOSE_DO_NOT &&
                           control.TransparentColor == NO_TRANSPARENT_COLOR;
        const GifImageDesc& at = image.ImageDesc;
        if (i == 0) {
            // Before the first image the screen is the background colour.
            const GifColorType& background = colours->Colors[file->SBackGroundColor];
            screen.assign(screen.size(), background.Red == 0 ? 1 : 0);
        }
        for (int y = 0; y < at.Height; ++y)
            for (int x = 0; x < at.Width; ++x) {
                const int sx = at.Left + x;
                const int sy = at.Top + y;
                if (sx >= decoded.width || sy >= decoded.height) continue;
                const GifColorType& colour =
                    colours->Colors[image.RasterBits[static_cast<size_t>(y) * at.Width + x]];
                screen[static_cast<size_t>(sy) * decoded.width + sx] = colour.Red == 0 ? 1 : 0;
            }
        decoded.pictures.push_back({screen, control.DelayTime});
    }
    DGifCloseFile(file, &error);
    return decoded;
}

std::vector<uint8_t> editor_picture(const std::vector<uint8_t>& tokens, int scale) {
    std::vector<uint8_t> block(sizeof(Frame) + tokens.size());
    const auto count = static_cast<int32_t>(tokens.size());
    std::memcpy(block.data(), &count, sizeof count);
    std::copy(tokens.begin(), tokens.end(), block.begin() + sizeof count);
    // On paper, as playback draws it; ink runs as 1 (paper runs leave the 0 of paper).
    std::vector<uint8_t> canvas(FRAME_PIXELS, 0);
    draw_frame(canvas.data(), CANVAS_WIDTH, CANVAS_HEIGHT,
               reinterpret_cast<const Frame*>(block.data()), 1, 0);
    if (scale == 1) return canvas;
    std::vector<uint8_t> picture;
    picture.reserve(canvas.size() * scale * scale);
    for (int y = 0; y < CANVAS_HEIGHT * scale; ++y) {
        const uint8_t* row = canvas.data() + y / scale * CANVAS_WIDTH;
        for (int x = 0; x < CANVAS_WIDTH; ++x)
            picture.insert(picture.end(), static_cast<size_t>(scale), row[x]);
    }
    return picture;
}

long frame_start(long k, int speed) { return std::lround(static_cast<double>(k) * 100.0 / speed); }

int frame_due(long at, int speed, int count) {
    int k = 0;
    while (k + 1 < count && frame_start(k + 1, speed) <= at) ++k;
    return k;
}
