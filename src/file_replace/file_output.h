// Where a file's new contents are written while it is being replaced. Keeps the first failure, so
// a writer may go on calling write and look at failed() once; without a file or memory it only
// counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class FileOutput {
public:
    // Writes to `file`, or only counts the bytes when `file` is null.
    explicit FileOutput(std::FILE* file) : file_(file) {}
    // Appends to `memory`, which cannot fail.
    explicit FileOutput(std::string* memory) : file_(nullptr), memory_(memory) {}

    // False once any write has failed; nothing is written after a failure.
    bool write(const void* bytes, std::size_t count);
    bool write(const std::string& text) { return write(text.data(), text.size()); }

    // Only counting: the contents are being measured, not written.
    bool measuring() const { return file_ == nullptr && memory_ == nullptr; }
    bool failed() const { return failed_; }
    // errno of the first failure, 0 before any.
    int error() const { return error_; }
    std::uint64_t bytes_written() const { return bytes_written_; }

private:
    std::FILE* file_;
    std::string* memory_ = nullptr;
    bool failed_ = false;
    int error_ = 0;
    std::uint64_t bytes_written_ = 0;
};
