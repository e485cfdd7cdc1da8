#pragma once
// Bytes to read at any offset and bytes to append, whatever holds them: a file of the system or
// a block of memory. The bank and script files are read and written through these, so the same
// code serves the disk, tests and fuzzers.
#include "job/OpenFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ovb {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly count bytes at offset; false when they are not all there or cannot be read.
    virtual bool readAt(std::uint64_t offset, void* data, std::size_t count) const = 0;
    // The descriptor of a file of the system, so that the kernel can copy from it; -1 otherwise.
    virtual int descriptor() const { return -1; }
    // The save the bytes came from, where the store records one (see NewFile::setStamp).
    virtual std::string stamp() const { return {}; }
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual bool write(const void* data, std::size_t count) = 0;
    // Appends count bytes of `from` starting at its byte `offset`.
    virtual bool copyFrom(const ByteSource& from, std::uint64_t offset, std::uint64_t count);
    virtual std::uint64_t size() const = 0;
};

// A file of the system, open for reading.
class FileSource final : public ByteSource {
  public:
    explicit FileSource(OpenFile file) : file_(std::move(file)), size_(file_.size()) {}
    // Nothing, with the problem told, when the path is no readable regular file.
    static std::unique_ptr<FileSource> Open(const std::filesystem::path& path,
                                            FileProblem* problem = nullptr);

    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* data, std::size_t count) const override;
    int descriptor() const override { return file_.fd(); }
    std::string stamp() const override;

  private:
    OpenFile file_;
    std::uint64_t size_;
};

// Bytes in memory, shared with whoever made them.
class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::shared_ptr<const std::vector<std::uint8_t>> bytes,
                          std::string stamp = {})
        : bytes_(std::move(bytes)), stamp_(std::move(stamp)) {}
    std::uint64_t size() const override { return bytes_->size(); }
    bool readAt(std::uint64_t offset, void* data, std::size_t count) const override;
    std::string stamp() const override { return stamp_; }

  private:
    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    std::string stamp_;
};

// The extended attribute that carries a file's stamp on file systems that keep them.
inline constexpr const char* kStampAttribute = "user.orvelanta.save";

} // namespace ovb
