#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_replace/replace_target.h"

namespace {

constexpr int MAX_LINKS_FOLLOWED = 40;
constexpr int MAX_NAME_ATTEMPTS = 100;

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows symbolic links, each relative one from the folder that holds it. False for a loop.
bool follow_links(std::string* path) {
    for (int i = 0; i < MAX_LINKS_FOLLOWED; ++i) {
        struct stat info {};
        if (::lstat(path->c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX),
                         '\0');
        const ssize_t length = ::readlink(path->c_str(), link.data(), link.size());
        if (length < 0) {
            return false;
        }
        link.resize(static_cast<std::size_t>(length));
        *path = !link.empty() && link[0] == '/' ? link : folder_of(*path) + link;
    }
    return false;
}

bool may_write(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

std::FILE* binary_stream(int fd) {
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

// Gives the new file the old one's owner, group and permissions; the owner first, since a
// change of owner clears the set-id bits. Owner and group stay the process's where it may not
// give them away.
bool carry_attributes_over(int fd, const ReplaceTarget& target, const ReplaceOptions& options) {
    if (::fchown(fd, target.owner, target.group) != 0) {
        (void)::fchown(fd, static_cast<uid_t>(-1), target.group);
    }
    return ::fchmod(fd, static_cast<mode_t>(target.mode & ~options.withheld_mode)) == 0;
}

mode_t new_file_mode(const ReplaceOptions& options) {
    return static_cast<mode_t>(options.new_file_mode & ~options.withheld_mode);
}

}  // namespace

ReplaceTarget inspect_target(const char* path) {
    ReplaceTarget target;
    target.path = path;
    if (!follow_links(&target.path)) {
        target.kind = TargetKind::folder;
        return target;
    }
    target.folder = folder_of(target.path);
    struct stat info {};
    if (::stat(target.path.c_str(), &info) != 0) {
        target.kind = errno == ENOENT ? TargetKind::missing : TargetKind::folder;
        return target;
    }
    if (S_ISDIR(info.st_mode)) {
        target.kind = TargetKind::folder;
    } else if (!S_ISREG(info.st_mode)) {
        target.kind = TargetKind::device;
    } else {
        target.kind = may_write(target.path) ? TargetKind::file : TargetKind::unwritable_file;
    }
    target.size = static_cast<std::uint64_t>(info.st_size);
    target.mode = info.st_mode & 07777;
    target.owner = info.st_uid;
    target.group = info.st_gid;
    return target;
}

std::FILE* create_temporary_file(const ReplaceTarget& target, const ReplaceOptions& options,
                                 std::string* temporary) {
    // Private until the old file's permissions are in place, so nothing is readable before.
    const bool replacing = target.kind == TargetKind::file;
    const mode_t mode = replacing ? 0600 : new_file_mode(options);
    for (int attempt = 0; attempt < MAX_NAME_ATTEMPTS; ++attempt) {
        *temporary = target.folder + temporary_file_name();
        const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return nullptr;
        }
        if (replacing && !carry_attributes_over(fd, target, options)) {
            ::close(fd);
            ::unlink(temporary->c_str());
            return nullptr;
        }
        return binary_stream(fd);
    }
    return nullptr;
}

std::FILE* open_in_place(const ReplaceTarget& target, const ReplaceOptions& options) {
    // A file that appears meanwhile is someone else's.
    const int creation = target.kind == TargetKind::missing ? O_CREAT | O_EXCL : O_TRUNC;
    const int fd = ::open(target.path.c_str(), O_WRONLY | creation | O_CLOEXEC | O_NOCTTY,
                          new_file_mode(options));
    if (fd < 0) {
        return nullptr;
    }
    return binary_stream(fd);
}

bool overwrite_file(const ReplaceTarget& target, const ReplaceOptions& options,
                    const std::string& bytes, bool* touched, int* error) {
    *touched = false;
    const int fd = ::open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        *error = errno;
        if (fd >= 0) ::close(fd);
        return false;
    }
    const auto old_size = info.st_size;
    const auto new_size = static_cast<off_t>(bytes.size());
    if (new_size > old_size) {
        const int refused = ::posix_fallocate(fd, 0, new_size);
        if (refused != 0) {
            // Whatever the attempt added goes again; the old bytes were never touched.
            (void)::ftruncate(fd, old_size);
            ::close(fd);
            *error = refused;
            return false;
        }
    }
    *touched = true;
    bool done = true;
    for (std::size_t at = 0; done && at < bytes.size();) {
        const ssize_t count =
            ::pwrite(fd, bytes.data() + at, bytes.size() - at, static_cast<off_t>(at));
        if (count <= 0) {
            *error = count < 0 ? errno : EIO;
            done = false;
        } else {
            at += static_cast<std::size_t>(count);
        }
    }
    if (done && (::ftruncate(fd, new_size) != 0 || ::fsync(fd) != 0)) {
        *error = errno;
        done = false;
    }
    if ((target.mode & options.withheld_mode) != 0) {
        (void)::fchmod(fd, static_cast<mode_t>(target.mode & ~options.withheld_mode));
    }
    if (::close(fd) != 0 && done) {
        *error = errno;
        done = false;
    }
    return done;
}

bool sync_and_close(std::FILE* file, int* error) {
    bool done = std::fflush(file) == 0;
    if (!done) {
        *error = errno;
    }
    // A device or pipe has nothing to sync.
    if (done && ::fsync(::fileno(file)) != 0 && errno != EINVAL && errno != EROFS) {
        *error = errno;
        done = false;
    }
    if (std::fclose(file) != 0 && done) {
        *error = errno;
        done = false;
    }
    return done;
}

bool move_into_place(const ReplaceTarget& target, const std::string& temporary) {
    if (::rename(temporary.c_str(), target.path.c_str()) != 0) {
        return false;
    }
    // The rename itself reaches the disk only with its folder.
    const std::string folder = target.folder.empty() ? "." : target.folder;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
    return true;
}

void remove_temporary_file(const std::string& temporary) { ::unlink(temporary.c_str()); }

bool is_out_of_space(int error) { return error == ENOSPC || error == EDQUOT; }
