#pragma once
// The size calculation: validates every sample's WAV file, gives every sample its sectors in the
// bank file, fills the path length table and computes the size of the bank file.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"
#include "wav/Wav_file_parser.h"

#include <cstdint>
#include <string>

namespace ovb {

struct BankSizeResult {
    unsigned errors = 0; // invalid + missing + null-size + too-long paths
    std::uint64_t totalSize = 0;
    std::uint64_t sampleDataSize = 0;
    std::uint64_t pathAreaSize = 0; // both copies
};

BankSizeResult CalculateBankSize(as_bank& bank, JobServices& ui);

// Whether a parsed WAV file can be a sample of the bank, as the size calculation decides it;
// the conforming tools leave alone exactly the files with no fault.
enum class SampleFault { None, NotModuleWav, NoDataChunk, NullSize, Truncated, TooLong };
SampleFault SampleFaultOf(const WavLayout& wav);

// bank_file_info as every writer stores it.
void FillBankFileInfo(as_bank& bank, const BankSizeResult& size, std::string_view bankPath);

// "Estimated Bank Size is:  1.5 MB  /  1 572 864 bytes"
std::string EstimatedSizeText(std::uint64_t total);

} // namespace ovb
