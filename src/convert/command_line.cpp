#include "convert/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "convert/convert_animation.h"
#include "convert/output_size.h"
#include "convert/platform_text.h"

namespace {

constexpr char USAGE[] =
    "Usage: m2bmp [--width W] [--height H] INPUT.mpa OUTPUT_PREFIX\n"
    "       m2bmp --gif [--scale N] [--once] INPUT.mpa OUTPUT.gif\n"
    "       m2bmp --help\n"
    "Writes every frame of the animation INPUT.mpa as a 1-bit BMP file named OUTPUT_PREFIX,\n"
    "the frame number in four digits and \".BMP\" (out -> out0000.BMP, out0001.BMP, ...).\n"
    "W (1-320, default 320) is rounded down to a multiple of 32, H (1-240, default 240) to a\n"
    "multiple of 2, exactly as the dialog's scroll bars do.\n"
    "With --gif it writes one animated GIF of every frame instead, at the animation's speed,\n"
    "each pixel enlarged to N x N (N 1-4, default 1), looping for ever unless --once is given;\n"
    "an existing OUTPUT.gif is replaced only once the new one is complete.\n"
    "Progress goes to standard output, errors to standard error, both in UTF-8. Without\n"
    "arguments the dialog opens; with one file name alone (a file dropped on the program) it\n"
    "opens with that file as its input.\n"
    "Exit status: 0 when every file was written, 1 when the animation was refused or a file\n"
    "could not be written, 2 for wrong arguments.\n";

struct ConsoleFront {
    FILE* out;
    FILE* err;
};

void print_error(void* context, const char* text, const char* caption) {
    const auto* console = static_cast<ConsoleFront*>(context);
    std::string title = cp932_to_utf8(caption);
    title.erase(0, title.find_first_not_of(' '));
    std::fprintf(console->err, "%s: %s\n", title.c_str(), cp932_to_utf8(text).c_str());
}

void print_status(void* context, const StatusLine& line) {
    const auto* console = static_cast<ConsoleFront*>(context);
    const std::string path = line.path != nullptr ? path_to_utf8(line.path) : std::string();
    std::fprintf(console->out, "%s%s\n", path.c_str(), cp932_to_utf8(line.text).c_str());
}

bool parse_size(const char* text, int32_t* value) {
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    *value = static_cast<int32_t>(parsed);
    return true;
}

int usage_error(FILE* err, const char* problem, const char* detail) {
    std::fprintf(err, "m2bmp: %s%s\n%s", problem, detail, USAGE);
    return EXIT_USAGE;
}

bool is_option(const char* arg) { return arg[0] == '-' && arg[1] != '\0'; }

}  // namespace

const char* dropped_file(int argc, const char* const* argv) {
    return argc == 2 && !is_option(argv[1]) ? argv[1] : nullptr;
}

int run_command_line(int argc, const char* const* argv, FILE* out, FILE* err) {
    // Large (two paths and the frame table): on the heap, not the stack.
    auto state = std::make_unique<ConverterState>();
    const char* files[2] = {nullptr, nullptr};
    int file_count = 0;
    bool options_done = false;
    const char* size_option = nullptr;  // --width or --height, which only BMP files have
    const char* gif_option = nullptr;   // --scale or --once, which only a GIF has
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!options_done && is_option(arg)) {
            const bool width = std::strcmp(arg, "--width") == 0;
            const bool scale = std::strcmp(arg, "--scale") == 0;
            if (std::strcmp(arg, "--") == 0) {
                options_done = true;
            } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
                std::fputs(USAGE, out);
                return EXIT_ALL_WRITTEN;
            } else if (std::strcmp(arg, "--gif") == 0) {
                state->output_kind = OutputKind::gif_animation;
            } else if (std::strcmp(arg, "--once") == 0) {
                state->gif.loop_forever = false;
                gif_option = arg;
            } else if (width || scale || std::strcmp(arg, "--height") == 0) {
                if (i + 1 >= argc) return usage_error(err, "missing number after ", arg);
                int32_t* target = scale   ? &state->gif.scale
                                  : width ? &state->output_width
                                          : &state->output_height;
                if (!parse_size(argv[++i], target))
                    return usage_error(err, "not a number: ", argv[i]);
                (scale ? gif_option : size_option) = arg;
            } else {
                return usage_error(err, "unknown option ", arg);
            }
        } else if (file_count == 2) {
            return usage_error(err, "too many arguments: ", arg);
        } else {
            files[file_count++] = arg;
        }
    }
    const bool gif = state->output_kind == OutputKind::gif_animation;
    if (gif && size_option != nullptr) return usage_error(err, "a GIF has no ", size_option);
    if (!gif && gif_option != nullptr) return usage_error(err, "only with --gif: ", gif_option);
    if (state->gif.scale < MIN_GIF_SCALE || state->gif.scale > MAX_GIF_SCALE)
        return usage_error(err, "the scale is 1, 2, 3 or 4", "");
    if (file_count < 2)
        return usage_error(err,
                           gif ? "an input file and an output file are needed"
                               : "an input file and an output prefix are needed",
                           "");
    clamp_output_size(&state->output_width, &state->output_height);

    if (set_converter_path(state->input_path, files[0]) != 0 ||
        set_converter_path(state->output_path, files[1]) != 0 ||
        set_converter_path(state->output_title, file_title_part(files[1])) != 0)
        return usage_error(err, "path too long", "");

    ConsoleFront console{out, err};
    ConverterFront front;
    front.context = &console;
    front.show_error = print_error;
    front.show_status = print_status;
    const int failed = convert_animation(state.get(), front);
    return failed == 0 ? EXIT_ALL_WRITTEN : EXIT_NOT_ALL_WRITTEN;
}
