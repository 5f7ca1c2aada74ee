// Written GIFs read back with Qt's own GIF reader, as Qt programs and many viewers show them.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <memory>

#include "convert/convert_animation.h"
#include "convert_test_support.h"
#include "gif_decoding.h"

namespace {

struct QtShown {
    std::vector<uint8_t> ink;
    int delay_ms;
};

struct QtDecoded {
    int loop_count = 0;
    std::vector<QtShown> pictures;
};

QtDecoded decode_with_qt(const std::vector<uint8_t>& gif) {
    QByteArray bytes(reinterpret_cast<const char*>(gif.data()), static_cast<qsizetype>(gif.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    QtDecoded decoded;
    decoded.loop_count = reader.loopCount();
    QImage image;
    while (reader.read(&image)) {
        QtShown shown{std::vector<uint8_t>(static_cast<size_t>(image.width()) * image.height()),
                      reader.nextImageDelay()};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                shown.ink[static_cast<size_t>(y) * image.width() + x] =
                    qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        decoded.pictures.push_back(std::move(shown));
    }
    return decoded;
}

class GifQtReader : public testing::Test {
protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "convert_gif_qt_test";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }

    ScratchFolder folder;
};

TEST_F(GifQtReader, ShowsEveryFrameAsTheEditorDrawsItForItsTime) {
    struct Case {
        const char* name;
        std::vector<std::vector<uint8_t>> frames;
        int speed;
        int scale;
        bool loop;
    };
    const std::vector<uint8_t> a = picture_tokens(test_picture(0));
    const std::vector<uint8_t> b = picture_tokens(test_picture(1));
    const Case cases[] = {
        {"12 fps, repeated and empty frames, enlarged", {a, b, b, {}, a}, 12, 2, true},
        {"60 fps once", moving_box_frames(12), 60, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MpaHeader header;
        header.speed = c.speed;
        write_bytes(folder.path() / "in.mpa", mpa_bytes(header, c.frames));
        auto state = std::make_unique<ConverterState>();
        choose_files(state.get(), folder.file("in.mpa"), folder.file("out.gif"));
        state->output_kind = OutputKind::gif_animation;
        state->gif = {c.scale, c.loop};
        RecordingFront recorder;
        ASSERT_EQ(convert_animation(state.get(), recorder.front()), 0);

        const QtDecoded gif = decode_with_qt(read_file(folder.path() / "out.gif"));
        EXPECT_EQ(gif.loop_count, c.loop ? -1 : 0);
        ASSERT_FALSE(gif.pictures.empty());
        const int count = static_cast<int>(c.frames.size());
        long at = 0;
        for (const QtShown& picture : gif.pictures) {
            const int due = frame_due(at, c.speed, count);
            ASSERT_EQ(picture.ink, editor_picture(c.frames[static_cast<size_t>(due)], c.scale))
                << "picture at " << at << " should be frame " << due;
            EXPECT_GE(picture.delay_ms, 20);
            EXPECT_EQ(picture.delay_ms % 10, 0);
            at += picture.delay_ms / 10;
        }
        EXPECT_EQ(at, frame_start(count, c.speed));
    }
}

}  // namespace
