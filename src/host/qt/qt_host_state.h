// The Qt host's process-wide state: one instance, created by qt_host_main on the GUI thread and
// reached by the host operations through qt_host(). What the application thread reads while the
// GUI thread writes it is atomic or guarded by a mutex.
#pragma once

#include <QImage>
#include <QLine>
#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "host/host.h"
#include "raster/canvas.h"

class MainWindow;
class TextWindow;

// The canvas as last presented, and the pen feedback drawn over it until the next presentation.
struct PresentedCanvas {
    std::mutex mutex;
    QImage image;                 // Indexed8, 320 x 240, the colour table fixed by create_screen
    std::vector<QLine> feedback;  // window client pixels
    bool feedback_white = false;
    // A repaint has been asked for and not yet begun: the application thread, which may present
    // in a tight loop, then asks for no other.
    std::atomic<bool> repaint_pending{false};
};

// Where the canvas area is, in screen pixels. Written by the GUI thread from window events, read
// by the application thread's polls.
struct CanvasPlace {
    std::atomic<int32_t> client_left{0};
    std::atomic<int32_t> client_top{0};
    std::atomic<int32_t> client_width{CANVAS_WIDTH};
    std::atomic<int32_t> client_height{CANVAS_HEIGHT};
};

struct QtHostState {
    MainWindow* main_window = nullptr;
    TextWindow* text_window = nullptr;

    VirtualScreen screen;
    std::vector<uint8_t> canvas_bytes;
    PresentedCanvas presented;
    CanvasPlace canvas_place;

    // The feedback pen's current point (application thread only).
    QPoint feedback_pen;

    // end_program has started (GUI thread only).
    bool ending = false;
};

// The running host; only valid inside qt_host_main.
QtHostState& qt_host();
