#pragma once
// The look every reader takes at a file it was named before it reads it, and the words for what
// it finds. It goes through OpenFile::ForReading, so a FIFO, a device or a folder is refused
// before anything can wait on it; a missing, an empty and an unreadable file are told apart.
#include "job/OpenFile.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ovb {

struct InputCheck {
    FileProblem problem = FileProblem::Missing;
    int error = 0;          // errno of an unreadable file, where known
    std::uint64_t size = 0; // of a readable file
    bool ready() const { return problem == FileProblem::None && size != 0; }
    bool empty() const { return problem == FileProblem::None && size == 0; }
};

InputCheck ProbeInput(const std::filesystem::path& path);

// "File NAME not exist!" for a missing file, and for the others a sentence that names the
// problem: a folder, a FIFO or device, an empty file, a file that cannot be read. Empty for a
// file that is ready.
std::string InputProblemText(const std::filesystem::path& path, const InputCheck& check);

} // namespace ovb
