// The virtual screen on the Qt host: the application thread draws into `bits`; presenting copies
// them, under a lock, into the image the canvas view paints, so the GUI thread never reads a
// buffer that is being written.
#include <QThread>

#include <cstring>

#include "host/common/app_gate.h"
#include "host/common/palette_store.h"
#include "host/host.h"
#include "host/qt/qt_canvas_view.h"
#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "raster/canvas.h"

namespace {

void repaint_canvas_later() {
    QtHostState& host = qt_host();
    if (host.presented.repaint_pending.exchange(true)) return;
    CanvasView* canvas = host.main_window->canvas();
    post_to_gui([canvas] { canvas->repaint_soon(); }, canvas);
}

// With the presented canvas's mutex held.
bool same_as_presented(const VirtualScreen& screen, const QImage& image) {
    for (int y = 0; y < screen.height; ++y)
        if (std::memcmp(image.constScanLine(y), screen.bits + y * screen.width,
                        static_cast<size_t>(screen.width)) != 0)
            return false;
    return true;
}

}  // namespace

const VirtualScreen& virtual_screen() { return qt_host().screen; }

void load_system_colors() {
    app_gate_pass();
    // No system palette here: the classic static colours stand in for it.
    store_fixed_system_colors();
}

void build_palette() {
    // Qt draws in true colour; the canvas's colour table alone defines the colours.
    app_gate_pass();
}

void create_screen() {
    app_gate_pass();
    QtHostState& host = qt_host();
    // The canvas memory stays where it is for the whole run, even if asked for twice. A new
    // canvas starts as paper rather than flashing black before the editor whitens it.
    if (host.canvas_bytes.empty())
        host.canvas_bytes.assign(static_cast<size_t>(host.screen.width) * host.screen.height,
                                 CANVAS_PAPER);
    host.screen.bits = host.canvas_bytes.data();

    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry entry = palette_get(i);
        colours.append(qRgb(entry.red, entry.green, entry.blue));
    }
    {
        std::lock_guard lock(host.presented.mutex);
        host.presented.image =
            QImage(host.screen.width, host.screen.height, QImage::Format_Indexed8);
        host.presented.image.setColorTable(colours);
        host.presented.image.fill(CANVAS_PAPER);
    }
    present_screen();
}

void present_screen() {
    QtHostState& host = qt_host();
    if (QThread::currentThread() == host.main_window->thread()) {
        // The GUI thread shows the last presented picture again; it never reads `bits`, which the
        // application thread may be writing.
        host.main_window->canvas()->update();
        return;
    }
    app_gate_pass();
    if (host.screen.bits == nullptr) return;
    {
        std::lock_guard lock(host.presented.mutex);
        QImage& image = host.presented.image;
        // The editor's waiting loops present at every poll: a picture already shown costs only
        // this comparison.
        if (host.presented.feedback.empty() && same_as_presented(host.screen, image)) return;
        for (int y = 0; y < host.screen.height; ++y)
            std::memcpy(image.scanLine(y), host.screen.bits + y * host.screen.width,
                        static_cast<size_t>(host.screen.width));
        host.presented.feedback.clear();
    }
    repaint_canvas_later();
}

void feedback_begin(int pen_color) {
    app_gate_pass();
    PresentedCanvas& presented = qt_host().presented;
    std::lock_guard lock(presented.mutex);
    presented.feedback_white = pen_color != CANVAS_INK;
}

void feedback_move_to(int x, int y) {
    app_gate_pass();
    qt_host().feedback_pen = QPoint(x, y);
}

void feedback_line_to(int x, int y) {
    app_gate_pass();
    QtHostState& host = qt_host();
    {
        std::lock_guard lock(host.presented.mutex);
        host.presented.feedback.emplace_back(host.feedback_pen, QPoint(x, y));
    }
    host.feedback_pen = QPoint(x, y);
    repaint_canvas_later();
}

void feedback_end() {
    // The lines stay on the window until the next presentation.
    app_gate_pass();
}
