// Message boxes on the GUI thread, labelled as a Japanese Windows labels them.
#pragma once

#include <QString>

#include "host/host.h"

class QWidget;

// A box modal to `owner` with the given buttons; the first button is the default. Escape or the
// close box answers Cancel (retry/cancel), No (yes/no) or OK (ok). GUI thread only.
MessageAnswer show_message_box(QWidget* owner, const QString& text, const QString& title,
                               MessageButtons buttons, MessageIcon icon);
