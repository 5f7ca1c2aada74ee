// Speed of the animation data paths, each beside its bare baseline in the same run: the codec
// beside a memcpy and a memset of the canvas bytes, loading and saving beside reading and writing the same
// file's bytes in one piece.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "anim/animation_file.h"
#include "anim/run_length.h"

namespace {

// A user's picture: filled discs of ink on paper.
std::vector<uint8_t> drawn_picture(unsigned seed) {
    std::vector<uint8_t> image(FRAME_PIXELS, CANVAS_PAPER);
    std::mt19937 random(seed);
    for (int disc = 0; disc < 12; ++disc) {
        const int cx = static_cast<int>(random() % CANVAS_WIDTH);
        const int cy = static_cast<int>(random() % CANVAS_HEIGHT);
        const int r = 3 + static_cast<int>(random() % 40);
        for (int y = std::max(0, cy - r); y < std::min(CANVAS_HEIGHT, cy + r); ++y) {
            for (int x = std::max(0, cx - r); x < std::min(CANVAS_WIDTH, cx + r); ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) {
                    image[static_cast<std::size_t>(y) * CANVAS_WIDTH + x] = CANVAS_INK;
                }
            }
        }
    }
    return image;
}

// The worst picture: every pixel differs from the one before.
std::vector<uint8_t> alternating_picture() {
    std::vector<uint8_t> image(FRAME_PIXELS);
    for (int i = 0; i < FRAME_PIXELS; ++i) {
        image[i] = i % 2 == 0 ? CANVAS_INK : CANVAS_PAPER;
    }
    return image;
}

std::vector<uint8_t> picture_for(int64_t kind) {
    return kind == 0 ? drawn_picture(1) : alternating_picture();
}

void memcpy_bytes(benchmark::State& state, std::size_t bytes) {
    std::vector<uint8_t> source(bytes, 0x5A);
    std::vector<uint8_t> target(bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// Encoding the canvas into a frame, as each edit that keeps the canvas does.
void BM_EncodeFrame(benchmark::State& state) {
    const std::vector<uint8_t> picture = picture_for(state.range(0));
    std::vector<uint8_t> scratch(FRAME_PIXELS);
    int32_t tokens = 0;
    for (auto _ : state) {
        Frame* frame = encode_frame(picture.data(), CANVAS_WIDTH, CANVAS_HEIGHT, scratch.data());
        tokens = frame->token_count;
        free_frame(frame);
    }
    state.counters["tokens"] = tokens;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FRAME_PIXELS);
}
BENCHMARK(BM_EncodeFrame)->Arg(0)->Arg(1);

// A frame of the picture, for the benchmarks that read frames.
Frame* frame_of(const std::vector<uint8_t>& picture) {
    std::vector<uint8_t> scratch(FRAME_PIXELS);
    return encode_frame(picture.data(), CANVAS_WIDTH, CANVAS_HEIGHT, scratch.data());
}

void BM_DrawFrame(benchmark::State& state) {
    const std::vector<uint8_t> picture = picture_for(state.range(0));
    Frame* frame = frame_of(picture);
    std::vector<uint8_t> canvas(FRAME_PIXELS);
    for (auto _ : state) {
        draw_frame(canvas.data(), CANVAS_WIDTH, CANVAS_HEIGHT, frame, CANVAS_INK, CANVAS_PAPER);
        benchmark::DoNotOptimize(canvas.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FRAME_PIXELS);
    free_frame(frame);
}
BENCHMARK(BM_DrawFrame)->Arg(0)->Arg(1);

void BM_MemcpyCanvas(benchmark::State& state) { memcpy_bytes(state, FRAME_PIXELS); }
BENCHMARK(BM_MemcpyCanvas);

// What drawing a frame can at best be: filling the canvas.
void BM_MemsetCanvas(benchmark::State& state) {
    std::vector<uint8_t> canvas(FRAME_PIXELS);
    for (auto _ : state) {
        std::memset(canvas.data(), CANVAS_PAPER, canvas.size());
        benchmark::DoNotOptimize(canvas.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FRAME_PIXELS);
}
BENCHMARK(BM_MemsetCanvas);

// 4 095 different drawn frames, the largest animation a file may hold.
struct LargeAnimation {
    std::vector<Frame*> frames;
    std::size_t file_bytes = FILE_HEADER_SIZE;
    std::string path = (std::filesystem::temp_directory_path() / "mepu-anim-bench.mpa").string();

    LargeAnimation() {
        for (int i = 0; i < MAX_FRAMES - 1; ++i) {
            const std::vector<uint8_t> picture = drawn_picture(static_cast<unsigned>(i % 64));
            Frame* frame = frame_of(picture);
            file_bytes += frame_block_size(frame);
            frames.push_back(frame);
        }
    }
    ~LargeAnimation() {
        free_frames(frames.data(), static_cast<int32_t>(frames.size()));
        std::filesystem::remove(path);
    }
    int32_t count() const { return static_cast<int32_t>(frames.size()); }
};

LargeAnimation& large_animation() {
    static LargeAnimation animation;
    return animation;
}

void BM_Save4095Frames(benchmark::State& state) {
    LargeAnimation& anim = large_animation();
    for (auto _ : state) {
        const WriteResult result =
            write_animation_file(anim.path.c_str(), anim.frames.data(), anim.count(), 5);
        if (result.status != WriteStatus::ok) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(anim.file_bytes));
}
BENCHMARK(BM_Save4095Frames)->Unit(benchmark::kMillisecond);

void BM_Load4095Frames(benchmark::State& state) {
    LargeAnimation& anim = large_animation();
    write_animation_file(anim.path.c_str(), anim.frames.data(), anim.count(), 5);
    std::vector<Frame*> table(MAX_FRAMES, nullptr);
    for (auto _ : state) {
        const ReadResult result = read_animation_file(anim.path.c_str(), table.data(), {});
        if (result.status != ReadStatus::ok) {
            state.SkipWithError("read failed");
            break;
        }
        state.PauseTiming();
        free_frames(table.data(), result.frames_read);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(anim.file_bytes));
}
BENCHMARK(BM_Load4095Frames)->Unit(benchmark::kMillisecond);

void BM_Memcpy4095FrameFile(benchmark::State& state) {
    memcpy_bytes(state, large_animation().file_bytes);
}
BENCHMARK(BM_Memcpy4095FrameFile)->Unit(benchmark::kMillisecond);

// The bare file I/O the loader and the writer are measured against.
void BM_ReadWhole4095FrameFile(benchmark::State& state) {
    LargeAnimation& anim = large_animation();
    write_animation_file(anim.path.c_str(), anim.frames.data(), anim.count(), 5);
    std::vector<uint8_t> bytes(anim.file_bytes);
    for (auto _ : state) {
        std::FILE* file = std::fopen(anim.path.c_str(), "rb");
        if (file == nullptr || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            state.SkipWithError("read failed");
        }
        if (file != nullptr) {
            std::fclose(file);
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(anim.file_bytes));
}
BENCHMARK(BM_ReadWhole4095FrameFile)->Unit(benchmark::kMillisecond);

void BM_WriteWhole4095FrameFile(benchmark::State& state) {
    LargeAnimation& anim = large_animation();
    std::vector<uint8_t> bytes(anim.file_bytes, 0x5A);
    for (auto _ : state) {
        std::FILE* file = std::fopen(anim.path.c_str(), "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            state.SkipWithError("write failed");
        }
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(anim.file_bytes));
}
BENCHMARK(BM_WriteWhole4095FrameFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
