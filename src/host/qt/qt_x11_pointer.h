// The pointer's screen position straight from the X server, on the application thread: a poll
// then costs one round trip to the server and nothing of the GUI thread.
#pragma once

#include <QPoint>

class QWidget;

// GUI thread, once `window` has its native window: remembers the connection and the window to ask
// about. Does nothing on a platform other than X11.
void x11_pointer_attach(const QWidget* window);
// Any thread: the pointer in Qt's screen coordinates; false when not attached or the server does
// not answer.
bool x11_pointer_position(QPoint* at);
