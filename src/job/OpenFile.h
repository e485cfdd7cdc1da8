#pragma once
// The one owner of an open file of the system: the descriptor is closed when the object goes.
// Files given to be read are opened without waiting and checked to be regular files before a
// byte is read, so a FIFO, a device or a folder named where a file belongs is refused at once
// instead of hanging the program.
#include <cstdint>
#include <filesystem>
#include <string>

namespace ovb {

// Why a file could not be opened for reading.
enum class FileProblem { None, Missing, NotAFile, Unreadable };

class OpenFile {
  public:
    OpenFile() = default;
    explicit OpenFile(int fd) : fd_(fd) {}
    OpenFile(OpenFile&& other) noexcept : fd_(other.release()) {}
    OpenFile& operator=(OpenFile&& other) noexcept;
    ~OpenFile() { close(); }

    // Opens a regular file read-only. On failure the result is closed and problem says why.
    static OpenFile ForReading(const std::filesystem::path& path, FileProblem* problem = nullptr);

    explicit operator bool() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    int release();
    // False when closing reported an error (a write the system could not complete).
    bool close();

    // The size now; 0 when it cannot be told.
    std::uint64_t size() const;
    // Reads exactly count bytes at offset; false at the end of the file or on an error.
    bool readAt(std::uint64_t offset, void* data, std::size_t count) const;
    // Writes all bytes at the current position; false on an error (errno tells which).
    bool writeAll(const void* data, std::size_t count);

  private:
    int fd_ = -1;
};

// The words a message uses for a problem: "does not exist", "is not a file", "cannot be read".
const char* ProblemText(FileProblem problem);

} // namespace ovb
