#pragma once
// Fetching the sample the player shows and plays: from the slot's WAV file or from the audio the
// loaded bank file holds for the slot. A failure is one of the texts the plot shows in place of
// a waveform.
#include "job/FileStore.h"
#include "job/JobServices.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

class as_bank;

struct PlayerSample {
    enum class Outcome {
        Loaded, // bytes and stereo are the sample
        Message // the plot shows message; nothing to play
    };
    Outcome outcome = Outcome::Message;
    std::string message;
    std::vector<std::uint8_t> bytes; // interleaved little-endian 16-bit frames, 48000 Hz
    bool stereo = false;
};

inline constexpr const char* kNoBankFileLoaded = "No OVB Bank File Loaded";

// The audio of a WAV file at a stored path. When the file is shorter than its data chunk claims,
// the bytes that are there are taken: nothing is read past the end of the file.
PlayerSample FetchWavSample(std::string_view storedPath);

// The whole run of 512-byte units the bank file holds for slot `slot` of `multisample`, read
// across the file's volumes. The reader's own failures are shown through ui. With no bank file
// loaded (a script, or nothing) the plot says so rather than keep a sample of before.
PlayerSample FetchBankSample(const as_bank& bank, unsigned multisample, unsigned slot,
                             JobServices& ui, FileStore& bankFiles = DiskFiles());

// The player's choice between the two, after the selection check.
PlayerSample FetchPlayerSample(const as_bank& bank, unsigned multisample, unsigned slot,
                               int selectedRows, bool fromWavFiles, JobServices& ui);

} // namespace ovb
