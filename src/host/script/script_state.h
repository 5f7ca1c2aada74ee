// The scripted host's state: one struct, owned by the backend, reset by script_host_reset.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "host/common/text_layout.h"
#include "host/host.h"
#include "host/script/script_host_testing.h"
#include "host/script/script_reader.h"
#include "raster/canvas.h"

// Each pointer state of a script is held for this many polls before the next command applies.
constexpr int POLLS_PER_STEP = 8;
// After the last command the editor gets this many more polls (or virtual milliseconds of tick
// calls, whichever run out first) before the host ends it.
constexpr int FINAL_POLLS = 64;
constexpr uint32_t FINAL_MILLISECONDS = 60000;

// The text window as a grid of character cells, one byte per cell.
class CellTextSurface : public TextSurface {
public:
    int measure_width(const char* text, int length) override;
    int letter_height() override;
    void draw_text(int x, int y, const char* text, int length) override;
    void clear() override;
    int line_start_x() override;

    std::array<std::array<char, SCRIPT_TEXT_COLUMNS>, SCRIPT_TEXT_ROWS> cells{};
};

struct ScriptHostState {
    std::mutex mutex;  // guards what the application thread and the host's own thread share
    std::condition_variable changed;

    // The running script (empty in in-process tests).
    bool running_script = false;
    Script script;
    std::size_t next_step = 0;
    int polls_held = 0;
    int final_polls = FINAL_POLLS;
    uint32_t final_milliseconds = FINAL_MILLISECONDS;
    bool end_wanted = false;  // the script is over or request_exit was called
    bool echo_log = false;

    int pointer_x = 0;
    int pointer_y = 0;
    int client_width = CANVAS_WIDTH;
    int client_height = CANVAS_HEIGHT;

    VirtualScreen screen;
    std::array<uint8_t, CANVAS_WIDTH * CANVAS_HEIGHT> canvas{};
    int present_count = 0;

    CellTextSurface text;
    uint32_t clock = 0;
    std::vector<std::string> messages;
    std::string system_dir;       // empty: the Linux place
    std::string user_config_dir;  // empty: none, as on Linux
    bool exit_requested = false;
};

ScriptHostState& script_state();

// One poll of the pointer by the application: advances the script (runs due dump commands and
// applies the next pointer state) and ends the run when the script is over.
void script_poll();
// One tick_count call: after the script's last command it counts toward the end of the run, so
// a loop that only watches the clock cannot keep the run alive for ever.
void script_note_tick();
// Applies every remaining step at once (after the application thread has gone).
void script_run_remaining_steps();
// Appends a log line (and prints it with --log).
void script_log(const std::string& line);
