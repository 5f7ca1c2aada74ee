#include "install/platform_files.h"

#include <windows.h>

namespace {

// The volume and file index that name a file whichever path reaches it.
bool file_identity(const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool make_folder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool is_lead_byte(unsigned char c) { return IsDBCSLeadByte(c) != 0; }

bool copy_file_replacing(const std::string& source, const std::string& target) {
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

bool same_existing_file(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    return file_identity(a, &first) && file_identity(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}
