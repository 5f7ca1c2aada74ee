#include "editor/editor_settings.h"

EditorSettings& editor_settings() {
    static EditorSettings settings;
    return settings;
}

void reset_editor_settings() { editor_settings() = EditorSettings{}; }
