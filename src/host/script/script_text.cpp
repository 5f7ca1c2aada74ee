#include "host/script/script_state.h"

namespace {
int floor_divide(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}
}  // namespace

// Every byte is one cell wide, so a double-byte character takes two cells, as its two bytes.
int CellTextSurface::measure_width(const char* /*text*/, int length) {
    return length * SCRIPT_CHAR_WIDTH;
}

int CellTextSurface::letter_height() { return SCRIPT_CHAR_HEIGHT; }

void CellTextSurface::draw_text(int x, int y, const char* text, int length) {
    const int row = floor_divide(y, SCRIPT_CHAR_HEIGHT);
    if (row < 0 || row >= SCRIPT_TEXT_ROWS) return;
    const int column = floor_divide(x, SCRIPT_CHAR_WIDTH);
    for (int i = 0; i < length; ++i) {
        const int cell = column + i;
        if (cell >= 0 && cell < SCRIPT_TEXT_COLUMNS) cells[row][cell] = text[i];
    }
}

void CellTextSurface::clear() {
    for (auto& row : cells) row.fill(' ');
}

int CellTextSurface::line_start_x() { return SCRIPT_LINE_START_X; }

std::string script_host_text() {
    std::string shown;
    for (const auto& row : script_state().text.cells) {
        std::string line(row.data(), row.size());
        line.erase(line.find_last_not_of(' ') + 1);
        shown += sjis_to_utf8(line) + "\n";
    }
    return shown;
}
