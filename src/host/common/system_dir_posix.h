// The Linux place of the Windows directory: $XDG_CONFIG_HOME/mepu (default ~/.config/mepu).
#pragma once

// Writes the folder (no trailing separator) into buffer and creates it when missing. Returns the
// length, or -1 when it does not fit or no home folder is known.
int linux_windows_directory(char* buffer, int capacity);
// As above for a given folder (for a --system-dir override).
int copy_directory_name(const char* folder, char* buffer, int capacity);
