#pragma once
// The files an export writes: one sample's audio from the bank as a WAV file, and the empty
// marker file named after a multisample. Both are written under a temporary name and renamed
// into place only when complete.
#include "bank/Acc_bank_structure.h"
#include "bank/Mysplitfilereader.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ovb {

// The 44-byte header with data size length_sectors * 512, then the sectors from
// start_sector * 512 of the bank. False (with the reason in error) when anything failed; an
// older file at that path is then left as it was.
bool WriteSampleWav(Mysplitfilereader& bank, const as_sample_V1& sample,
                    const std::filesystem::path& out, std::string& error);

// "<name as stored>.msn" for a multisample; empty when the name cannot be a file name of its
// own (it holds a path delimiter).
std::string NameMarkerFileName(const as_bank& bank, unsigned multisample);
bool WriteNameMarker(const std::filesystem::path& path);

// A single path component that stays where it is put: not empty, not "." or "..", no delimiter.
bool IsPlainFileName(std::string_view name);

} // namespace ovb
