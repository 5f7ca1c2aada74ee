// Writes a file anew so that a failure never costs the old one: the new contents go to a fresh
// file beside it, reach the disk, and only then take its place. The file keeps what the user gave
// it (permissions, owner, a symbolic link that names it, on Windows its attributes and security).
// Where the folder allows no new file, or the disk has no room for a second copy, the file is
// rewritten where it is, but only after the room for the new contents is secured, and with its old
// bytes kept to be put back if the writing fails. Depends on nothing but the platform.
#pragma once

#include <functional>

#include "file_replace/file_output.h"

enum class ReplaceStatus {
    ok,
    cannot_create,   // neither a new file beside it nor the file itself could be opened for writing
    write_failed,    // a write or the flush to the disk failed
    cannot_replace,  // the complete new file could not take the old one's place
};

struct ReplaceOptions {
    // Permission bits of a file that did not exist before (the process's umask applies). POSIX.
    unsigned new_file_mode = 0666;
    // Permission bits the file never gets, also when the old file had them. POSIX.
    unsigned withheld_mode = 0;
};

struct ReplaceResult {
    ReplaceStatus status = ReplaceStatus::ok;
    // The file's own bytes were written where it is. A failure leaves an existing file with its
    // old bytes (put back where they had been overwritten), no new file where there was none, and
    // nothing temporary behind; a device keeps whatever reached it.
    bool written_in_place = false;
    // The old bytes could not be put back after a failed write in place: the file holds neither
    // the old nor the new contents.
    bool left_damaged = false;
};

// Calls `write_contents` with the output for the new contents of `path`. It may be called again
// (to measure the contents, or to gather them for writing in place after a full disk refused the
// new file), and must then write the same bytes.
ReplaceResult replace_file(const char* path, const std::function<void(FileOutput&)>& write_contents,
                           const ReplaceOptions& options = {});
