// Writes a file anew so that a failure never costs the old one: the new contents go to a fresh
// file beside it, reach the disk, and only then take its place. The file keeps what the user gave
// it (permissions, owner, a symbolic link that names it, on Windows its attributes and security).
// Where the folder allows no new file, the file is rewritten in place instead, as a plain
// truncate-and-write would. Depends on nothing but the platform.
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
    // The file was truncated and written where it is; after a failed write it holds what was
    // written before the failure. Otherwise a failure leaves an existing file exactly as it was
    // and nothing temporary behind.
    bool written_in_place = false;
};

// Calls `write_contents` with the output for the new contents of `path`. It may be called again
// (to measure the contents, or to write them in place after a full disk refused the new file), and
// must then write the same bytes.
ReplaceResult replace_file(const char* path,
                           const std::function<void(FileOutput&)>& write_contents,
                           const ReplaceOptions& options = {});
