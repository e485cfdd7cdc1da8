#pragma once
// Puts many replaced files in place with one wait for the disk instead of one per file. Each file
// is written completely under its temporary name first; a flush then makes the data of all of
// them durable together and renames each over its target. A kill at any moment leaves every
// target either as it was or replaced whole, as with a single ReplacingFile.
#include "job/ReplacingFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace ovb {

class ReplacingBatch {
  public:
    // Told the outcome of one file: empty when it is in place, else why it is not (the target
    // is then untouched).
    using Done = std::function<void(const std::string& error)>;

    // A flush happens by itself once this many files or bytes wait.
    explicit ReplacingBatch(std::size_t maxFiles = 64, std::uint64_t maxBytes = 256u << 20);
    ~ReplacingBatch(); // flushes what waits
    ReplacingBatch(const ReplacingBatch&) = delete;
    ReplacingBatch& operator=(const ReplacingBatch&) = delete;

    // Takes a file whose writing is over (failed or not). done runs at the flush that puts it in
    // place, in the order the files were added.
    void add(std::unique_ptr<ReplacingFile> file, Done done);
    // Whether a file for this target waits, under any of its names: reading the target now
    // would give its old content.
    bool waiting(const std::filesystem::path& target) const;
    void flush();

  private:
    struct Entry {
        std::unique_ptr<ReplacingFile> file;
        Done done;
    };
    std::vector<Entry> entries_;
    std::size_t maxFiles_;
    std::uint64_t maxBytes_;
    std::uint64_t bytes_ = 0;
    std::thread closer_; // closes the replaced files of the last flush
};

} // namespace ovb
