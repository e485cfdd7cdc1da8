#pragma once
// One file's audio: what libsndfile finds in it, and its conversion to a 16-bit 48 kHz WAV file
// with the system's 44-byte header.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

namespace ovb {

struct AudioFileInfo {
    std::uint64_t frames = 0;
    unsigned rate = 0;
    unsigned channels = 0;
    bool exact16 = false; // integer samples of 16 bits or fewer: copied without dither
    bool pcm16 = false;   // exactly 16-bit integer samples
    std::string format;   // "AIFF 96000 Hz 24-bit stereo"
};

// False with the reason when libsndfile cannot read the file.
bool ProbeAudioFile(const std::filesystem::path& file, AudioFileInfo& info, std::string& error);

// Adds TPDF dither of +-1 LSB and rounds float samples (full scale 1.0) to 16 bits.
class TpdfDither {
  public:
    explicit TpdfDither(std::uint64_t seed = 0x9E3779B97F4A7C15ull) : state_(seed | 1) {}
    std::int16_t operator()(float sample);

  private:
    float uniform(); // [0, 1)
    std::uint64_t state_;
};

struct ConvertControl {
    const std::atomic<bool>* cancel = nullptr;        // checked between blocks
    std::atomic<std::uint64_t>* framesRead = nullptr; // source frames, for the progress
    unsigned resamplerThreads = 1;
};

enum class ConvertOutcome { Written, Cancelled, Failed };

// Reads source and writes target (atomically, creating its folder). Stereo stays stereo, mono
// mono; the length is the source's at 48 kHz, rounded to the nearest frame.
ConvertOutcome ConvertToModuleWav(const std::filesystem::path& source,
                                  const std::filesystem::path& target,
                                  const ConvertControl& control, std::string& error);

} // namespace ovb
