#include "file_replace/replace_file.h"

#include "file_replace/replace_target.h"

namespace {

// Writes the contents and puts them on the disk; false when anything failed, with its errno.
bool write_and_sync(std::FILE* file, const std::function<void(FileOutput&)>& write_contents,
                    int* error)
{
    FileOutput output(file);
    write_contents(output);
    int close_error = 0;
    const bool synced = sync_and_close(file, &close_error);
    *error = output.failed() ? output.error() : close_error;
    return !output.failed() && synced;
}

ReplaceResult write_in_place(const ReplaceTarget& target,
                             const std::function<void(FileOutput&)>& write_contents,
                             const ReplaceOptions& options)
{
    ReplaceResult result;
    result.written_in_place = true;
    std::FILE* file = open_in_place(target, options);
    if (file == nullptr) {
        result.status = ReplaceStatus::cannot_create;
        return result;
    }
    int error = 0;
    if (!write_and_sync(file, write_contents, &error)) {
        result.status = ReplaceStatus::write_failed;
    }
    return result;
}

std::uint64_t contents_size(const std::function<void(FileOutput&)>& write_contents)
{
    FileOutput counter(nullptr);
    write_contents(counter);
    return counter.bytes_written();
}

}  // namespace

ReplaceResult replace_file(const char* path,
                           const std::function<void(FileOutput&)>& write_contents,
                           const ReplaceOptions& options)
{
    const ReplaceTarget target = inspect_target(path);
    switch (target.kind) {
    case TargetKind::folder:
    case TargetKind::unwritable_file:
        return ReplaceResult{ReplaceStatus::cannot_create, false};
    case TargetKind::held:
        return ReplaceResult{ReplaceStatus::cannot_replace, false};
    case TargetKind::in_place_only:
        return write_in_place(target, write_contents, options);
    case TargetKind::missing:
    case TargetKind::file:
        break;
    }

    std::string temporary;
    std::FILE* file = create_temporary_file(target, options, &temporary);
    if (file == nullptr) {
        return write_in_place(target, write_contents, options);
    }
    int error = 0;
    if (!write_and_sync(file, write_contents, &error)) {
        remove_temporary_file(temporary);
        // Without room for two copies the old file's own space still takes contents no larger
        // than it, so writing in place cannot then be cut short by the disk.
        if (target.kind == TargetKind::file && is_out_of_space(error) &&
            contents_size(write_contents) <= target.size) {
            return write_in_place(target, write_contents, options);
        }
        return ReplaceResult{ReplaceStatus::write_failed, false};
    }
    if (!move_into_place(target, temporary)) {
        remove_temporary_file(temporary);
        return ReplaceResult{ReplaceStatus::cannot_replace, false};
    }
    return ReplaceResult{};
}
