// The pointer on the Qt host: button events of either window feed the one pointer state the
// application polls (read_pointer_screen and get_client_geometry live beside it).
#pragma once

#include <QPointF>

class QMouseEvent;

// Button down/up update the held flags and the last release (in the receiving window's client
// pixels). Qt grabs the mouse for the pressed widget until the release, so a release outside the
// window still arrives here.
void feed_mouse_event(const QMouseEvent* event);

// False where the platform keeps the pointer's position from a program outside its own windows
// (Wayland); the position then comes from the canvas's own events (GUI thread, first call there).
bool global_pointer_readable();
// The canvas saw the pointer at `local`, in its own pixels; or saw it leave.
void note_pointer_at(QPointF local);
void note_pointer_away();
