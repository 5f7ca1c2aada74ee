#include "file_replace/replace_file.h"

#include "file_replace/replace_target.h"

namespace {

// Writes the contents and puts them on the disk; false when anything failed, with its errno.
bool write_and_sync(std::FILE* file, const std::function<void(FileOutput&)>& write_contents,
                    int* error) {
    FileOutput output(file);
    write_contents(output);
    int close_error = 0;
    const bool synced = sync_and_close(file, &close_error);
    *error = output.failed() ? output.error() : close_error;
    return !output.failed() && synced;
}

// For a device, or a file that did not exist: what a failure leaves of the latter is removed.
ReplaceResult write_in_place(const ReplaceTarget& target,
                             const std::function<void(FileOutput&)>& write_contents,
                             const ReplaceOptions& options) {
    ReplaceResult result;
    result.written_in_place = true;
    std::FILE* file = open_in_place(target, options);
    if (file == nullptr) {
        return ReplaceResult{ReplaceStatus::cannot_create, false, false};
    }
    int error = 0;
    if (!write_and_sync(file, write_contents, &error)) {
        result.status = ReplaceStatus::write_failed;
        if (target.kind == TargetKind::missing) {
            remove_temporary_file(target.path);
        }
    }
    return result;
}

bool read_whole_file(const std::string& path, std::string* bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bytes->clear();
    char buffer[16384];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes->append(buffer, count);
    }
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    return read;
}

// An existing file that cannot be replaced: its old bytes are kept in memory first, so that a
// write cut short can be undone, and are put back and read again to be sure.
ReplaceResult rewrite_in_place(const ReplaceTarget& target,
                               const std::function<void(FileOutput&)>& write_contents,
                               const ReplaceOptions& options) {
    std::string old_bytes;
    if (!read_whole_file(target.path, &old_bytes)) {
        return ReplaceResult{ReplaceStatus::cannot_create, false, false};
    }
    std::string new_bytes;
    FileOutput output(&new_bytes);
    write_contents(output);

    ReplaceResult result;
    bool touched = false;
    int error = 0;
    if (overwrite_file(target, options, new_bytes, &touched, &error)) {
        result.written_in_place = true;
        return result;
    }
    result.status = ReplaceStatus::write_failed;
    if (touched) {
        result.written_in_place = true;
        // What counts is what the file holds afterwards, read back.
        bool touched_again = false;
        (void)overwrite_file(target, options, old_bytes, &touched_again, &error);
        std::string now;
        result.left_damaged = !read_whole_file(target.path, &now) || now != old_bytes;
    }
    return result;
}

}  // namespace

ReplaceResult replace_file(const char* path, const std::function<void(FileOutput&)>& write_contents,
                           const ReplaceOptions& options) {
    const ReplaceTarget target = inspect_target(path);
    switch (target.kind) {
        case TargetKind::folder:
        case TargetKind::unwritable_file:
            return ReplaceResult{ReplaceStatus::cannot_create, false, false};
        case TargetKind::held: return ReplaceResult{ReplaceStatus::cannot_replace, false, false};
        case TargetKind::device: return write_in_place(target, write_contents, options);
        case TargetKind::in_place_only: return rewrite_in_place(target, write_contents, options);
        case TargetKind::missing:
        case TargetKind::file: break;
    }

    std::string temporary;
    std::FILE* file = create_temporary_file(target, options, &temporary);
    if (file == nullptr) {
        // The folder takes no new file (no right, no free inode, a full disk or quota).
        return target.kind == TargetKind::file ? rewrite_in_place(target, write_contents, options)
                                               : write_in_place(target, write_contents, options);
    }
    int error = 0;
    if (!write_and_sync(file, write_contents, &error)) {
        remove_temporary_file(temporary);
        // Without room for two copies the old file's own space may still take the new contents.
        if (target.kind == TargetKind::file && is_out_of_space(error)) {
            return rewrite_in_place(target, write_contents, options);
        }
        return ReplaceResult{ReplaceStatus::write_failed, false, false};
    }
    if (!move_into_place(target, temporary)) {
        remove_temporary_file(temporary);
        return ReplaceResult{ReplaceStatus::cannot_replace, false, false};
    }
    return ReplaceResult{};
}
