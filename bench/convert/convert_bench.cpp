// Converting a 4095-frame animation at full and half size, beside writing the same files' bytes
// with plain fwrite, so the cost of decoding, scaling and packing shows against the bare I/O.
// And exporting the animation gif_bench.sh makes (named by MEPU_GIF_BENCH_ANIMATION) as one GIF,
// beside writing the same bytes with one fwrite, with and without flushing them to the disk, and
// beside writing them through the file replacement alone.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "anim/animation_file.h"
#include "anim/frame.h"
#include "anim/run_length.h"
#include "convert/convert_animation.h"
#include "convert/frame_file_name.h"
#include "file_replace/replace_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t FRAMES = MAX_FRAMES - 1;

// One folder for the whole run: the animation and the files written by every benchmark.
struct BenchFolder {
    BenchFolder()
        : path(fs::temp_directory_path() / ("m2bmp-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(path);
        write_animation();
    }
    ~BenchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    // A moving diagonal band with a box, so every frame has runs of many lengths.
    void write_animation() const {
        std::vector<uint8_t> pixels(FRAME_PIXELS);
        std::vector<uint8_t> tokens(FRAME_PIXELS);
        std::vector<Frame*> frames;
        for (int32_t f = 0; f < FRAMES; ++f) {
            for (int32_t y = 0; y < CANVAS_HEIGHT; ++y)
                for (int32_t x = 0; x < CANVAS_WIDTH; ++x) {
                    const bool band = (x + y + f) % 97 < 20;
                    const bool box = x > 40 + f % 200 && x < 90 + f % 200 && y > 60 && y < 140;
                    pixels[static_cast<size_t>(y * CANVAS_WIDTH + x)] =
                        band || box ? CANVAS_INK : CANVAS_PAPER;
                }
            const int32_t count = encode_runs(pixels.data(), CANVAS_WIDTH, CANVAS_HEIGHT,
                                              tokens.data(), FRAME_PIXELS);
            Frame* frame = allocate_frame(count);
            std::copy(tokens.begin(), tokens.begin() + count, frame_tokens(frame));
            frames.push_back(frame);
        }
        write_animation_file(input().c_str(), frames.data(), FRAMES, 5);
        free_frames(frames.data(), FRAMES);
    }
    std::string input() const { return (path / "bench.mpa").string(); }
    std::string prefix(const char* name) const { return (path / name).string(); }
    fs::path path;
};

BenchFolder& folder() {
    static BenchFolder instance;
    return instance;
}

void ignore_error(void*, const char* text, const char*) { std::fprintf(stderr, "%s\n", text); }
void ignore_status(void*, const StatusLine&) {}

int convert_at(int32_t width, int32_t height, const std::string& prefix) {
    auto state = std::make_unique<ConverterState>();
    set_converter_path(state->input_path, folder().input().c_str());
    set_converter_path(state->output_path, prefix.c_str());
    set_converter_path(state->output_title, "out");
    state->output_width = width;
    state->output_height = height;
    return convert_animation(state.get(), ConverterFront{nullptr, ignore_error, ignore_status});
}

void BM_convert(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const std::string prefix = folder().prefix("convert");
    for (auto _ : state)
        if (convert_at(width, height, prefix) != 0) state.SkipWithError("conversion failed");
    state.SetItemsProcessed(state.iterations() * FRAMES);
}

// The same files, bytes already in memory: create, fwrite, close per frame.
void BM_fwrite_same_bytes(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const std::string source = folder().prefix("source");
    if (convert_at(width, height, source) != 0) state.SkipWithError("conversion failed");
    std::vector<std::vector<uint8_t>> files(FRAMES);
    char name[4096];
    for (int32_t i = 0; i < FRAMES; ++i) {
        frame_file_name(source.c_str(), i, ".BMP", name, sizeof name);
        files[static_cast<size_t>(i)].resize(fs::file_size(name));
        FILE* in = std::fopen(name, "rb");
        std::fread(files[static_cast<size_t>(i)].data(), 1, files[static_cast<size_t>(i)].size(),
                   in);
        std::fclose(in);
    }
    const std::string prefix = folder().prefix("plain");
    for (auto _ : state) {
        for (int32_t i = 0; i < FRAMES; ++i) {
            frame_file_name(prefix.c_str(), i, ".BMP", name, sizeof name);
            FILE* out = std::fopen(name, "wb");
            const auto& bytes = files[static_cast<size_t>(i)];
            if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
                state.SkipWithError("write failed");
            if (out != nullptr) std::fclose(out);
        }
    }
    state.SetItemsProcessed(state.iterations() * FRAMES);
}

const char* gif_animation() { return std::getenv("MEPU_GIF_BENCH_ANIMATION"); }

std::string gif_output(const char* suffix) { return std::string(gif_animation()) + suffix; }

int export_gif(const std::string& output) {
    auto state = std::make_unique<ConverterState>();
    set_converter_path(state->input_path, gif_animation());
    set_converter_path(state->output_path, output.c_str());
    set_converter_path(state->output_title, "out.gif");
    state->output_kind = OutputKind::gif_animation;
    return convert_animation(state.get(), ConverterFront{nullptr, ignore_error, ignore_status});
}

void BM_gif_export(benchmark::State& state) {
    if (gif_animation() == nullptr)
        return state.SkipWithError("MEPU_GIF_BENCH_ANIMATION is not set");
    const std::string output = gif_output(".export.gif");
    for (auto _ : state)
        if (export_gif(output) != 0) state.SkipWithError("export failed");
}

// The bytes of the exported GIF, read back into memory.
std::vector<uint8_t> exported_gif() {
    const std::string source = gif_output(".source.gif");
    if (export_gif(source) != 0) return {};
    std::vector<uint8_t> bytes(fs::file_size(source));
    FILE* in = std::fopen(source.c_str(), "rb");
    if (in == nullptr || std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size())
        bytes.clear();
    if (in != nullptr) std::fclose(in);
    return bytes;
}

// Only the writing of the export: the same bytes through the file replacement it uses.
void BM_gif_replace_file(benchmark::State& state) {
    if (gif_animation() == nullptr)
        return state.SkipWithError("MEPU_GIF_BENCH_ANIMATION is not set");
    const std::vector<uint8_t> bytes = exported_gif();
    if (bytes.empty()) return state.SkipWithError("export failed");
    const std::string output = gif_output(".replaced.gif");
    for (auto _ : state) {
        const ReplaceResult result = replace_file(
            output.c_str(), [&bytes](FileOutput& out) { out.write(bytes.data(), bytes.size()); });
        if (result.status != ReplaceStatus::ok) state.SkipWithError("write failed");
    }
}

// The exported bytes, already in memory: create, one fwrite, close (and, when asked, fsync as the
// export does before the file takes its name).
void BM_gif_one_write(benchmark::State& state) {
    if (gif_animation() == nullptr)
        return state.SkipWithError("MEPU_GIF_BENCH_ANIMATION is not set");
    const std::vector<uint8_t> bytes = exported_gif();
    if (bytes.empty()) return state.SkipWithError("export failed");
    const std::string output = gif_output(".plain.gif");
    const bool sync = state.range(0) != 0;
    for (auto _ : state) {
        FILE* out = std::fopen(output.c_str(), "wb");
        if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
            state.SkipWithError("write failed");
        if (out != nullptr && sync) {
            std::fflush(out);
            ::fsync(::fileno(out));
        }
        if (out != nullptr) std::fclose(out);
    }
}

}  // namespace

BENCHMARK(BM_gif_export)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_gif_replace_file)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_gif_one_write)->ArgName("fsync")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_convert)
    ->Args({320, 240})
    ->Args({160, 120})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_fwrite_same_bytes)
    ->Args({320, 240})
    ->Args({160, 120})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_MAIN();
