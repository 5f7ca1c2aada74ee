// Draws the four menu images from the editor's own button tables, so that every face sits exactly
// on the rectangle the hit test uses. Labels are rendered by ImageMagick with a Japanese font.
//
// usage: menu_art OUTPUT_DIR [FONT_FILE]
// Writes sysmenu.dib, animmenu.dib, stpmenu.dib and editmenu.dib: 320 x 240, 8 bits per pixel,
// rows stored top row first (negative height), pixel values are the editor's palette indices
// (1 transparent, 2 black, greys from the ramp, 255 white).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "editor/command_codes.h"
#include "editor/menu_pages.h"

namespace {

constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;
constexpr uint8_t TRANSPARENT = 1;
constexpr uint8_t BLACK = 2;
constexpr uint8_t WHITE = 255;
constexpr int LABEL_HEIGHT = MENU_BUTTON_HEIGHT + 1;

// The palette ramp: entry 10 + n shows the grey n * 71089 / 65536 (truncated).
int ramp_grey(int index) { return (index - 10) * 71089 / 65536; }

uint8_t ramp_index(int grey) {
    for (int index = 10; index <= 245; ++index) {
        if (ramp_grey(index) >= grey) return static_cast<uint8_t>(index);
    }
    return 245;
}

const uint8_t FACE = ramp_index(216);
const uint8_t FACE_DISABLED = ramp_index(236);
const uint8_t SHADOW = ramp_index(150);
const uint8_t DISABLED_BORDER = ramp_index(170);
const uint8_t TITLE_FILL = ramp_index(80);

struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(WIDTH * HEIGHT, TRANSPARENT);

    void set(int x, int y, uint8_t value) {
        if (x >= 0 && x < WIDTH && y >= 0 && y < HEIGHT) pixels[y * WIDTH + x] = value;
    }
    // Inclusive corners.
    void fill(int x1, int y1, int x2, int y2, uint8_t value) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) set(x, y, value);
    }
    void frame(int x1, int y1, int x2, int y2, uint8_t value) {
        fill(x1, y1, x2, y1, value);
        fill(x1, y2, x2, y2, value);
        fill(x1, y1, x1, y2, value);
        fill(x2, y1, x2, y2, value);
    }
};

// A label as rendered: width x LABEL_HEIGHT bytes, true for ink.
struct Label {
    int width = 0;
    std::vector<bool> ink;
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "menu_art: %s\n", message.c_str());
    std::exit(1);
}

std::string shell_quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Renders UTF-8 text centred in a box of `width` x LABEL_HEIGHT, black on white, no smoothing
// (the images hold palette indices, so crisp glyphs read best at this size).
Label render_label(const std::string& text, int width, const std::string& font) {
    const std::string command = "convert -size " + std::to_string(width) + "x" +
                                std::to_string(LABEL_HEIGHT) + " xc:white -font " +
                                shell_quote(font) +
                                " -pointsize 12 +antialias -fill black -gravity center "
                                "-annotate +0+0 " +
                                shell_quote(text) + " -depth 8 gray:-";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) fail("cannot run ImageMagick convert");
    std::vector<uint8_t> grey(static_cast<size_t>(width) * LABEL_HEIGHT);
    const size_t got = std::fread(grey.data(), 1, grey.size(), pipe);
    const int status = pclose(pipe);
    if (got != grey.size() || status != 0) fail("convert failed for label \"" + text + "\"");
    Label label{width, std::vector<bool>(grey.size())};
    for (size_t i = 0; i < grey.size(); ++i) label.ink[i] = grey[i] < 128;
    return label;
}

// Refuses a label that would touch the face's border: a clipped label misleads the user.
void check_fits(const Label& label, const std::string& text) {
    for (int y = 0; y < LABEL_HEIGHT; ++y) {
        for (int x = 0; x < label.width; ++x) {
            const bool edge = x == 0 || y == 0 || x == label.width - 1 || y == LABEL_HEIGHT - 1;
            if (edge && label.ink[y * label.width + x]) fail("label too wide: \"" + text + "\"");
        }
    }
}

void put_label(Picture& picture, const Label& label, int x, int y, uint8_t value) {
    for (int row = 0; row < LABEL_HEIGHT; ++row)
        for (int column = 0; column < label.width; ++column)
            if (label.ink[row * label.width + column]) picture.set(x + column, y + row, value);
}

// A small picture in front of the label for the settings whose effect is easiest to show.
enum class Pictogram { none, white_swatch, black_swatch, thin, medium, thick };

struct Face {
    int code;
    const char* label;  // UTF-8; empty for a button that does nothing
    Pictogram pictogram = Pictogram::none;
    const char* wide_label = nullptr;  // a fuller label where the page has wide buttons
};

constexpr Face FACES[] = {
    {CMD_PEN_WHITE, "ペン白", Pictogram::white_swatch},
    {CMD_PEN_BLACK, "ペン黒", Pictogram::black_swatch},
    {CMD_PEN_THINNEST, "ごくほそ", Pictogram::thin},
    {CMD_PEN_MEDIUM, "ややぶと", Pictogram::medium},
    {CMD_PEN_THICKEST, "ごくぶと", Pictogram::thick},
    {CMD_FILL, "ぬりつぶし"},
    {CMD_PLAY_FROM_START, "さいせい", Pictogram::none, "はじめから再生"},
    {CMD_BOX, "四角"},
    {CMD_COPY_PREVIOUS_FRAME, "前をコピー"},
    {CMD_NEXT_FRAME, "次のコマ"},
    {CMD_PREVIOUS_FRAME, "前のコマ"},
    {CMD_UNDO, "やりなおし"},
    {CMD_LINE, "直線"},
    {CMD_INVERT_FRAME, "白黒反転"},
    {CMD_CLEAR_FRAME, "全部消す"},
    {CMD_TO_STAMP_PAGE, "スタンプへ"},
    {CMD_TO_SYSTEM_PAGE, "しすてむへ"},
    {CMD_JUMP_TO_FRAME, "ジャンプ"},
    {CMD_PEN, "ペンでかく"},
    {CMD_TO_EDIT_PAGE, "へんしゅう"},
    {CMD_LOAD, "よみこみ"},
    {CMD_SAVE, "かきこみ"},
    {CMD_SPEED, "再生の速さ"},
    {CMD_PLAY_FROM_CHOSEN, "とちゅうから再生"},
    {CMD_REWIND, "まきもどし"},
    {CMD_PLAY_LOOP, "くりかえし再生"},
    {CMD_UNUSED_46, ""},
    {CMD_ONION_DEPTH, "すけるコマ数"},
    {CMD_TO_DRAWING_PAGE, "絵をかく"},
    {CMD_UNUSED_49, ""},
    {CMD_STAMP, "押す"},
    {CMD_NEW_STAMP, "新しく作る"},
    {CMD_DELETE_STAMP, "すてる"},
    {CMD_NEXT_STAMP, "次スタンプ"},
    {CMD_PREVIOUS_STAMP, "前スタンプ"},
    {CMD_STAMP_WHITE, "白で押す", Pictogram::white_swatch},
    {CMD_STAMP_BLACK, "黒で押す", Pictogram::black_swatch},
    {CMD_DELETE_FRAME, "コマ削除"},
    {CMD_INSERT_FRAME, "コマ挿入"},
    {CMD_REVERSE_FRAMES, "順番を逆に"},
    {CMD_MULTI_COPY, "連続コピー"},
    {CMD_AUTO_COMPLETION, "自動作成"},
};

const Face& face_for(int code) {
    for (const Face& face : FACES)
        if (face.code == code) return face;
    fail("no face for command " + std::to_string(code));
}

constexpr int PICTOGRAM_SPACE = 14;
constexpr int WIDE_BUTTON = 100;

void draw_pictogram(Picture& picture, Pictogram pictogram, int x, int y) {
    const int left = x + 4;
    const int top = y + 4;
    switch (pictogram) {
        case Pictogram::none: return;
        case Pictogram::white_swatch:
            picture.fill(left, top, left + 8, top + 8, WHITE);
            picture.frame(left, top, left + 8, top + 8, BLACK);
            return;
        case Pictogram::black_swatch: picture.fill(left, top, left + 8, top + 8, BLACK); return;
        case Pictogram::thin: picture.fill(left, top + 4, left + 8, top + 4, BLACK); return;
        case Pictogram::medium: picture.fill(left, top + 3, left + 8, top + 5, BLACK); return;
        case Pictogram::thick: picture.fill(left, top + 2, left + 8, top + 6, BLACK); return;
    }
}

// One raised face over the button's whole rectangle (both bounds inclusive).
void draw_face(Picture& picture, const MenuPage& page, const MenuButton& button,
               const std::string& font) {
    const Face& face = face_for(button.code);
    const int x1 = button.x;
    const int y1 = button.y;
    const int x2 = button.x + page.button_width;
    const int y2 = button.y + MENU_BUTTON_HEIGHT;
    const bool enabled = face.label[0] != '\0';
    picture.fill(x1, y1, x2, y2, enabled ? FACE : FACE_DISABLED);
    picture.frame(x1, y1, x2, y2, enabled ? BLACK : DISABLED_BORDER);
    if (!enabled) return;
    picture.fill(x1 + 1, y1 + 1, x2 - 1, y1 + 1, WHITE);
    picture.fill(x1 + 1, y1 + 1, x1 + 1, y2 - 1, WHITE);
    picture.fill(x1 + 1, y2 - 1, x2 - 1, y2 - 1, SHADOW);
    picture.fill(x2 - 1, y1 + 2, x2 - 1, y2 - 1, SHADOW);
    const int indent = face.pictogram == Pictogram::none ? 0 : PICTOGRAM_SPACE;
    draw_pictogram(picture, face.pictogram, x1, y1);
    const bool wide = face.wide_label != nullptr && page.button_width >= WIDE_BUTTON;
    const char* text = wide ? face.wide_label : face.label;
    const Label label = render_label(text, x2 - x1 + 1 - indent, font);
    check_fits(label, text);
    put_label(picture, label, x1 + indent, y1, BLACK);
}

void draw_title(Picture& picture, const std::string& title, const std::string& font) {
    constexpr int x = 32;
    constexpr int y = 8;
    constexpr int width = 128;
    picture.fill(x, y, x + width - 1, y + LABEL_HEIGHT - 1, TITLE_FILL);
    const Label label = render_label(title, width, font);
    check_fits(label, title);
    put_label(picture, label, x, y, WHITE);
}

void put_u16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}
void put_u32(std::vector<uint8_t>& out, uint32_t value) {
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

// The colour table is ignored by the editor; it is filled with what the indices show there so
// that ordinary viewers display the images faithfully (transparent as magenta).
uint32_t table_colour(int index) {
    if (index == TRANSPARENT) return 0xFF00FF;
    if (index == WHITE) return 0xFFFFFF;
    if (index < 10 || index > 245) return 0;
    const uint32_t grey = static_cast<uint32_t>(ramp_grey(index));
    return grey | grey << 8 | grey << 16;
}

void write_dib(const Picture& picture, const std::string& path) {
    constexpr uint32_t HEADERS = 14 + 40;
    constexpr uint32_t TABLE = 256 * 4;
    constexpr uint32_t PIXELS = WIDTH * HEIGHT;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put_u32(out, HEADERS + TABLE + PIXELS);
    put_u32(out, 0);
    put_u32(out, HEADERS + TABLE);
    put_u32(out, 40);
    put_u32(out, WIDTH);
    put_u32(out, static_cast<uint32_t>(-HEIGHT));  // top row first
    put_u16(out, 1);
    put_u16(out, 8);
    put_u32(out, 0);
    put_u32(out, PIXELS);
    put_u32(out, 2835);
    put_u32(out, 2835);
    put_u32(out, 256);
    put_u32(out, 0);
    for (int index = 0; index < 256; ++index) put_u32(out, table_colour(index));
    out.insert(out.end(), picture.pixels.begin(), picture.pixels.end());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) fail("cannot write " + path);
}

struct PageArt {
    int page;
    const char* file;
    const char* title;
};

constexpr PageArt PAGE_ART[] = {
    {SYSTEM_PAGE, "sysmenu.dib", "しすてむめにゅー"},
    {DRAWING_PAGE, "animmenu.dib", "おえかきめにゅー"},
    {STAMP_PAGE, "stpmenu.dib", "スタンプめにゅー"},
    {EDIT_PAGE, "editmenu.dib", "へんしゅうめにゅー"},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: menu_art OUTPUT_DIR [FONT_FILE]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string font =
        argc == 3 ? argv[2] : "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
    for (const PageArt& art : PAGE_ART) {
        const MenuPage* page = find_menu_page(art.page);
        if (page == nullptr) fail("unknown page");
        Picture picture;
        draw_title(picture, art.title, font);
        // Earlier buttons win the hit test on shared borders, so they are drawn last, on top.
        for (auto button = page->buttons.rbegin(); button != page->buttons.rend(); ++button)
            draw_face(picture, *page, *button, font);
        write_dib(picture, folder + "/" + art.file);
    }
    return 0;
}
