#include "job/InputFile.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace ovb {

InputCheck ProbeInput(const std::filesystem::path& path) {
    InputCheck check;
    errno = 0;
    const OpenFile file = OpenFile::ForReading(path, &check.problem);
    check.error = check.problem == FileProblem::Unreadable ? errno : 0;
    check.size = file.size();
    return check;
}

std::string InputProblemText(const std::filesystem::path& path, const InputCheck& check) {
    const std::string name = "File " + path.string();
    if (check.empty()) return name + " is empty!";
    std::error_code ec;
    switch (check.problem) {
    case FileProblem::None:
        return {};
    case FileProblem::Missing:
        return name + " not exist!";
    case FileProblem::NotAFile:
        return name + (std::filesystem::is_directory(path, ec)
                           ? " is a folder, not a file!"
                           : " is not a regular file (a pipe, device or socket): not read!");
    case FileProblem::Unreadable:
        return name + " cannot be read" +
               (check.error ? std::string(": ") + std::strerror(check.error) : std::string("!"));
    }
    return {};
}

} // namespace ovb
