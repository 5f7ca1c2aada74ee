#include "file_replace/file_output.h"

#include <cerrno>

bool FileOutput::write(const void* bytes, std::size_t count) {
    if (failed_) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    if (file_ != nullptr) {
        errno = 0;
        if (std::fwrite(bytes, 1, count, file_) != count) {
            failed_ = true;
            error_ = errno != 0 ? errno : EIO;
            return false;
        }
    }
    if (memory_ != nullptr) {
        memory_->append(static_cast<const char*>(bytes), count);
    }
    bytes_written_ += count;
    return true;
}
