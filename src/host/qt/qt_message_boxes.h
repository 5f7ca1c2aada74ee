// Message boxes on the GUI thread, labelled as a Japanese Windows labels them.
#pragma once

#include <QString>

#include "host/host.h"

class QWidget;

enum class BoxModality { owner_window, whole_program };

// A box modal to `owner` (or to every window) with the given buttons; the first button is the
// default. Escape or the close box answers Cancel (retry/cancel), No (yes/no) or OK (ok). GUI
// thread only.
MessageAnswer show_message_box(QWidget* owner, const QString& text, const QString& title,
                               MessageButtons buttons, MessageIcon icon,
                               BoxModality modality = BoxModality::owner_window);
