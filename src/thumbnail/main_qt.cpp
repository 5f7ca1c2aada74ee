// mepu-thumbnailer -s SIZE INPUT.mpa OUTPUT.png: the thumbnail a file manager asks for.
// Exit codes: 0 written, 1 wrong command line, 2 the animation cannot be read, 3 the PNG cannot
// be written.
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "thumbnail/thumbnail.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: mepu-thumbnailer -s SIZE INPUT.mpa OUTPUT.png\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || std::strcmp(argv[1], "-s") != 0) return usage();
    char* end = nullptr;
    const long longest = std::strtol(argv[2], &end, 10);
    const ThumbnailSize size = *end == '\0' && longest <= 1 << 14
                                   ? thumbnail_size(static_cast<int32_t>(longest))
                                   : ThumbnailSize{0, 0};
    if (size.width == 0) return usage();

    ThumbnailPicture picture;
    if (make_thumbnail_picture(argv[3], &picture) != ReadStatus::ok) {
        std::fprintf(stderr, "mepu-thumbnailer: %s is not a readable animation\n", argv[3]);
        return 2;
    }
    QImage canvas(CANVAS_WIDTH, CANVAS_HEIGHT, QImage::Format_Grayscale8);
    for (int32_t y = 0; y < CANVAS_HEIGHT; ++y) {
        uchar* row = canvas.scanLine(y);
        for (int32_t x = 0; x < CANVAS_WIDTH; ++x)
            row[x] = picture.pixels[y * CANVAS_WIDTH + x] == CANVAS_INK ? 0 : 255;
    }
    // Nearest pixels keep the one-pixel lines of a drawing crisp at any size.
    const QImage scaled =
        canvas.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.save(QString::fromLocal8Bit(argv[4]), "PNG")) {
        std::fprintf(stderr, "mepu-thumbnailer: cannot write %s\n", argv[4]);
        return 3;
    }
    return 0;
}
