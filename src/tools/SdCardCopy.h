#pragma once
// Writes a plan onto a card: every file copied under its own name, never over an existing one,
// with the bytes copied shown as it goes and a Cancel that stops the running copy. A copy that
// fails or is cancelled leaves nothing under the file's name: the data go to a temporary name on
// the card and are renamed only when complete.
#include "job/JobServices.h"
#include "tools/SdCardPlan.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ovb {

inline constexpr const char* kMp3Folder = "Mp3";

struct CardWriteResult {
    unsigned copied = 0;
    bool cancelled = false;
    std::vector<std::string> failures; // "NAME: reason", in order
    bool complete() const { return !cancelled && failures.empty(); }
};

// Copies one file into a folder under its own name. Empty when copied, else the reason. cancel is
// read after every piece; a cancelled copy answers "cancelled".
std::string CopyFileToCard(const std::filesystem::path& from, const std::filesystem::path& folder,
                           JobServices& ui, const bool& cancel);

// Copies the bank slots, then the system files, then the MP3 files into the folder "Mp3", under
// the progress window with its Cancel, and ends with the closing message.
CardWriteResult WriteToCard(const CardPlan& plan, const std::filesystem::path& root,
                            JobServices& ui);

// The closing message: "Write COMPLETE!" when everything was written, else what was not.
std::string ClosingMessage(const CardWriteResult& result);

// The checks, then the write. True when everything was written.
bool WriteCard(const CardPlan& plan, const std::filesystem::path& root, JobServices& ui);

} // namespace ovb
