// What replace_file needs of the platform's file system; one implementation per platform.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "file_replace/replace_file.h"

enum class TargetKind {
    missing,          // nothing there yet; its folder may or may not exist
    file,             // a file this process may write
    unwritable_file,  // a file this process may not write (read-only, locked)
    held,             // a file another program holds open so that it cannot be replaced now
    folder,           // a folder, or a name that cannot be a file
    in_place_only,    // a file that may be written but not replaced: rewritten where it is
    device,           // a device or pipe: written where it is, with nothing to put back
};

struct ReplaceTarget {
    // Where the bytes go: a symbolic link is followed to the file it names.
    std::string path;
    // The folder of `path`, as a prefix for names in it: empty or ending in a separator.
    std::string folder;
    TargetKind kind = TargetKind::missing;
    std::uint64_t size = 0;
    // The old file's permission bits (POSIX) or attributes (Windows), owner and group, carried
    // over where the platform has them.
    unsigned mode = 0;
    unsigned owner = 0;
    unsigned group = 0;
};

ReplaceTarget inspect_target(const char* path);
// A new file with a unique name in the target's folder, opened for binary writing; never an
// existing one. Null when the folder allows none. `*temporary` receives its path.
std::FILE* create_temporary_file(const ReplaceTarget& target, const ReplaceOptions& options,
                                 std::string* temporary);
// The target itself, truncated, for binary writing; null when it cannot be opened. For a device,
// or a file that did not exist.
std::FILE* open_in_place(const ReplaceTarget& target, const ReplaceOptions& options);
// Writes `bytes` over the existing file and cuts it to their length, then flushes it to the disk.
// Room beyond the file's present size is secured before any old byte is overwritten; if that
// fails the file is left as it was and `*touched` stays false. False, with the errno in `*error`,
// on any failure.
bool overwrite_file(const ReplaceTarget& target, const ReplaceOptions& options,
                    const std::string& bytes, bool* touched, int* error);
// Flushes the file to the disk and closes it; false, with the errno in `*error`, if any step failed.
bool sync_and_close(std::FILE* file, int* error);
// Puts the complete temporary file in the target's place, so that the name always names a file.
bool move_into_place(const ReplaceTarget& target, const std::string& temporary);
void remove_temporary_file(const std::string& temporary);
// The error says the disk (or the user's quota) is full.
bool is_out_of_space(int error);

// A name for a new file in a folder: a fixed prefix and random letters, different at each call.
std::string temporary_file_name();
