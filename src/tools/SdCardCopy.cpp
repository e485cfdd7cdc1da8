#include "tools/SdCardCopy.h"

#include "base/Formatting.h"
#include "job/OpenFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

namespace ovb {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPiece = 1 << 20;

std::string Reason(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

bool Exists(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

unsigned Percent(std::uint64_t copied, std::uint64_t size) {
    const std::uint64_t whole = size / 1024;
    if (whole == 0) return copied >= size ? 100 : 0;
    return unsigned(std::min<std::uint64_t>((copied / 1024) * 100 / whole, 100));
}

// Puts the finished file under its name, never over a file that appeared meanwhile. Drivers that
// cannot rename without replacing get the same promise from a look first.
std::string PutInPlace(const fs::path& temporary, const fs::path& target) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno == EEXIST) return "the file exists on the card";
    if (errno != EINVAL && errno != ENOSYS) return Reason("cannot rename");
    if (Exists(target)) return "the file exists on the card";
    return std::rename(temporary.c_str(), target.c_str()) == 0 ? std::string()
                                                               : Reason("cannot rename");
}

struct Copy {
    JobServices& ui;
    const bool& cancel;
    std::uint64_t size = 0, copied = 0;

    void show() {
        ui.SetProgressDetail(std::to_string(copied) + " / " + std::to_string(size));
        ui.SetProgressPercent(Percent(copied, size));
        ui.processEvents();
    }

    std::string pieces(const OpenFile& in, OpenFile& out) {
        std::vector<char> buffer(kPiece);
        show();
        while (!cancel) {
            const ssize_t n = ::read(in.fd(), buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return Reason("cannot read");
            if (n == 0) return {};
            if (!out.writeAll(buffer.data(), std::size_t(n))) return Reason("cannot write");
            copied += std::uint64_t(n);
            show();
        }
        return "cancelled";
    }
};

} // namespace

std::string CopyFileToCard(const fs::path& from, const fs::path& folder, JobServices& ui,
                           const bool& cancel) {
    const fs::path target = folder / from.filename();
    if (Exists(target)) return "the file exists on the card";
    FileProblem problem = FileProblem::None;
    OpenFile in = OpenFile::ForReading(from, &problem);
    if (problem == FileProblem::NotAFile) return "cannot read: not a file";
    if (!in) return Reason("cannot read");
    const fs::path temporary = folder / PartialCopyName(from.filename().string());
    OpenFile out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!out) return Reason("cannot write");
    Copy copy{ui, cancel, in.size()};
    std::string failure = copy.pieces(in, out);
    in.close();
    // Data a full card could not take may show only when they are flushed or the file closed.
    if (failure.empty() && ::fsync(out.fd()) != 0 && errno != EINVAL && errno != ENOSYS)
        failure = Reason("cannot write");
    if (!out.close() && failure.empty()) failure = Reason("cannot write");
    if (failure.empty()) failure = PutInPlace(temporary, target);
    if (!failure.empty()) ::unlink(temporary.c_str());
    return failure;
}

namespace {

// What a killed copy left in the root folder: its files were never complete.
void RemovePartialCopies(const fs::path& root) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root, ec))
        if (IsPartialCopyName(entry.path().filename().string()) && entry.is_regular_file())
            ::unlink(entry.path().c_str());
}

struct CardWriter {
    JobServices& ui;
    CardWriteResult result;
    bool cancel = false;

    void copy(const fs::path& file, const fs::path& folder) {
        if (cancel) return;
        ui.SetProgressText(file.filename().string());
        const std::string failure = CopyFileToCard(file, folder, ui, cancel);
        if (failure.empty())
            ++result.copied;
        else
            result.failures.push_back(file.filename().string() + ": " + failure);
    }

    void mp3(const FileChoice& mp3, const fs::path& root) {
        if (!mp3.chosen || mp3.files.empty() || cancel) return;
        const fs::path folder = root / kMp3Folder;
        std::error_code ec;
        if (!fs::create_directory(folder, ec) && ec) {
            result.failures.push_back(std::string(kMp3Folder) +
                                      ": cannot create the folder: " + ec.message());
            return;
        }
        for (const fs::path& file : mp3.files)
            copy(file, folder);
    }
};

} // namespace

CardWriteResult WriteToCard(const CardPlan& plan, const fs::path& root, JobServices& ui) {
    RemovePartialCopies(root);
    CardWriter w{ui, {}};
    {
        ProgressScope progress(ui, 'w', &w.cancel);
        ui.SetProgressText("Write to SD Card...");
        for (std::size_t i = 0; i < kBankSlots; ++i)
            if (plan.bank.sizes[i] != 0) w.copy(plan.bank.paths[i], root);
        if (plan.system.chosen)
            for (const fs::path& file : plan.system.files)
                w.copy(file, root);
        w.mp3(plan.mp3, root);
    }
    w.result.cancelled = w.cancel;
    ui.message(kSdCaption, ClosingMessage(w.result));
    return w.result;
}

std::string ClosingMessage(const CardWriteResult& result) {
    if (result.complete()) return "Write COMPLETE!";
    std::string text = result.cancelled ? "Write CANCELLED!" : "Write NOT COMPLETE!";
    text += Format("\n%u file(s) written.", result.copied);
    if (!result.failures.empty()) text += "\nNot written:";
    for (const std::string& failure : result.failures)
        text += "\n" + failure;
    return text;
}

bool WriteCard(const CardPlan& plan, const fs::path& root, JobServices& ui) {
    const CardVolume volume = InspectCard(root);
    if (!CheckCard(plan, volume, root, ui)) return false;
    return WriteToCard(plan, root, ui).complete();
}

} // namespace ovb
