// The pointer on the Qt host: button events of either window feed the one pointer state the
// application polls (read_pointer_screen and get_client_geometry live beside it).
#pragma once

class QMouseEvent;

// Button down/up update the held flags and the last release (in the receiving window's client
// pixels). Qt grabs the mouse for the pressed widget until the release, so a release outside the
// window still arrives here.
void feed_mouse_event(const QMouseEvent* event);
