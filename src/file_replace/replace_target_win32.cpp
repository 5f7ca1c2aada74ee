#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "file_replace/replace_target.h"

namespace {

constexpr int MAX_NAME_ATTEMPTS = 100;

// The folder part of a full path, found by the system so that a Shift-JIS trail byte that looks
// like a backslash is not taken for one. False for a path that names no file.
bool split_folder(const char* path, std::string* full, std::string* folder) {
    char buffer[MAX_PATH * 4];
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path, sizeof buffer, buffer, &name);
    if (length == 0 || length >= sizeof buffer || name == nullptr) {
        return false;
    }
    full->assign(buffer, length);
    folder->assign(buffer, static_cast<std::size_t>(name - buffer));
    return true;
}

// Replacing needs the right to delete the old file, which a program that holds it open may deny
// to others; asking first spares writing a new file that could not take its place.
TargetKind kind_of_file(const std::string& path, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return TargetKind::unwritable_file;
    }
    const auto opens = [&](DWORD access) {
        const HANDLE handle = CreateFileA(path.c_str(), access,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return false;
        }
        CloseHandle(handle);
        return true;
    };
    if (opens(GENERIC_WRITE | DELETE)) {
        return TargetKind::file;
    }
    const bool held = GetLastError() == ERROR_SHARING_VIOLATION;
    if (!opens(GENERIC_WRITE)) {
        return TargetKind::unwritable_file;
    }
    return held ? TargetKind::held : TargetKind::in_place_only;
}

std::FILE* binary_stream(HANDLE handle) {
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
    }
    return file;
}

int errno_of(DWORD error) {
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? ENOSPC : EIO;
}

bool set_end(HANDLE handle, std::uint64_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
}

bool write_all(HANDLE handle, const std::string& bytes) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle, start, nullptr, FILE_BEGIN)) {
        return false;
    }
    for (std::size_t at = 0; at < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + at, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        at += written;
    }
    return true;
}

}  // namespace

ReplaceTarget inspect_target(const char* path) {
    ReplaceTarget target;
    if (!split_folder(path, &target.path, &target.folder)) {
        target.kind = TargetKind::folder;
        return target;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(target.path.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        target.kind = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                          ? TargetKind::missing
                          : TargetKind::folder;
        return target;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        target.kind = TargetKind::folder;
        return target;
    }
    target.kind = kind_of_file(target.path, data.dwFileAttributes);
    target.mode = data.dwFileAttributes;
    target.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return target;
}

std::FILE* create_temporary_file(const ReplaceTarget& target, const ReplaceOptions&,
                                 std::string* temporary) {
    for (int attempt = 0; attempt < MAX_NAME_ATTEMPTS; ++attempt) {
        *temporary = target.folder + temporary_file_name();
        const HANDLE handle = CreateFileA(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            std::FILE* file = binary_stream(handle);
            if (file == nullptr) {
                DeleteFileA(temporary->c_str());
            }
            return file;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return nullptr;
        }
    }
    return nullptr;
}

std::FILE* open_in_place(const ReplaceTarget& target, const ReplaceOptions&) {
    const DWORD disposition = target.kind == TargetKind::missing ? CREATE_NEW : TRUNCATE_EXISTING;
    const HANDLE handle = CreateFileA(target.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return binary_stream(handle);
}

// Setting the end of the file further out makes the file system allocate the room at once.
bool overwrite_file(const ReplaceTarget& target, const ReplaceOptions&, const std::string& bytes,
                    bool* touched, int* error) {
    *touched = false;
    const HANDLE handle =
        CreateFileA(target.path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER old_size{};
    if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &old_size)) {
        *error = errno_of(GetLastError());
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        return false;
    }
    const auto old_end = static_cast<std::uint64_t>(old_size.QuadPart);
    if (bytes.size() > old_end && !set_end(handle, bytes.size())) {
        *error = errno_of(GetLastError());
        set_end(handle, old_end);
        CloseHandle(handle);
        return false;
    }
    *touched = true;
    const bool done =
        write_all(handle, bytes) && set_end(handle, bytes.size()) && FlushFileBuffers(handle);
    if (!done) {
        *error = errno_of(GetLastError());
    }
    CloseHandle(handle);
    return done;
}

bool sync_and_close(std::FILE* file, int* error) {
    bool done = std::fflush(file) == 0;
    if (!done) {
        *error = errno;
    }
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (done && !FlushFileBuffers(handle)) {
        *error = errno_of(GetLastError());
        done = false;
    }
    if (std::fclose(file) != 0 && done) {
        *error = errno;
        done = false;
    }
    return done;
}

// A name in the target's folder that nothing has yet, for the old file while it is replaced.
std::string unused_name_beside(const ReplaceTarget& target) {
    std::string name;
    for (int attempt = 0; attempt < MAX_NAME_ATTEMPTS; ++attempt) {
        name = target.folder + temporary_file_name();
        if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES &&
            GetLastError() == ERROR_FILE_NOT_FOUND) {
            return name;
        }
    }
    return {};
}

// ReplaceFileA keeps the old file's attributes and security and never leaves the name without a
// file; the attributes are set again for systems whose ReplaceFileA does not carry them. The old
// file is kept under a name of ours until the end: without one, a replacement that fails halfway
// leaves it under a name nobody knows, or gone. A new file is moved in without replacing anything
// that appeared meanwhile.
bool move_into_place(const ReplaceTarget& target, const std::string& temporary) {
    if (target.kind != TargetKind::file) {
        return MoveFileExA(temporary.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    }
    const std::string backup = unused_name_beside(target);
    if (backup.empty()) {
        return false;
    }
    if (!ReplaceFileA(target.path.c_str(), temporary.c_str(), backup.c_str(),
                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        // The old file has moved aside and the new one could not take its name: put it back.
        if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            MoveFileExA(backup.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH);
        }
        return false;
    }
    DeleteFileA(backup.c_str());
    constexpr DWORD CARRIED = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD now = GetFileAttributesA(target.path.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & CARRIED) != (target.mode & CARRIED)) {
        const DWORD wanted = (now & ~(CARRIED | FILE_ATTRIBUTE_NORMAL)) | (target.mode & CARRIED);
        SetFileAttributesA(target.path.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
    return true;
}

void remove_temporary_file(const std::string& temporary) { DeleteFileA(temporary.c_str()); }

bool is_out_of_space(int error) { return error == ENOSPC; }
