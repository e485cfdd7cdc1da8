#pragma once
// What every load must leave behind, checked after each input. A violation prints what went
// wrong and traps, so the fuzzer keeps the input as a crash.
#include "SparseImage.h"

#include "bank/Acc_bank_structure.h"
#include "job/ScriptedJobServices.h"

#include <string_view>

namespace ovb::fuzz {

[[noreturn]] void Violated(std::string_view what);
inline void Require(bool ok, std::string_view what) {
    if (!ok) Violated(what);
}

// The answers byte of the input: the first answer and the fallback for every later question.
void QueueAnswers(ScriptedJobServices& ui, std::uint8_t answers);

// The one bank every input loads into, in the reset state the callers give the loaders. Only a
// bank that was loaded needs the (slow) reset: a refused load must have left it reset already,
// which RequireResetBank checks.
as_bank& ResetTargetBank();
void MarkTargetBankLoaded();

// With OVB_FUZZ_VERBOSE set, prints what the loader showed: for reading a reproduced input.
void ShowTranscript(const ScriptedJobServices& ui, bool loaded);

// A refused load leaves the bank as a reset bank: records, path length table, marker sectors,
// paths and the loaded-file name.
void RequireResetBank(as_bank& bank); // non-const: records are reached through as_bank::record
// Every return path of a loader hides the progress window it showed.
void RequireProgressHidden(const ScriptedJobServices& ui);

// A successful load holds the file's bytes: `image` at fileOffset must equal the block at
// blockOffset for `length` bytes.
void RequireLoaded(const as_bank& bank, std::size_t blockOffset, const SparseImage& image,
                   std::uint64_t fileOffset, std::size_t length, std::string_view what);
// The first path equals the first line of the path area at areaOffset, when that line is
// short enough to check.
void RequireFirstPath(const as_bank& bank, const SparseImage& image, std::uint64_t areaOffset,
                      std::uint64_t areaSize);

} // namespace ovb::fuzz
