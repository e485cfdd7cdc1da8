#pragma once
// Relocating a WAV library: the longest text all sample paths begin with, and a text replacement
// over every sample path of the bank. The bank changes in memory only.
#include "bank/Acc_bank_structure.h"

#include <map>
#include <string>
#include <string_view>

namespace ovb {

// The longest common character prefix of every non-empty path (multisamples 0 to 9999, slots
// 0 to 63), compared byte by byte over at most 1024 characters; empty when there are no paths.
// It need not end at a folder delimiter.
std::string LibraryCommonPath(const as_bank& bank);

// Every occurrence of from replaced by to, left to right; replaced text is not scanned again.
// An empty from leaves the text as it is.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Every pair of backslashes replaced by one (as ReplaceAll does it: three become two).
std::string FoldDoubledBackslashes(std::string_view text);
// The text a chosen folder becomes as the new library path: the folder, one backslash after it.
std::string FolderAsLibraryPath(std::string_view folder);

// Replaces oldText by newText in every non-empty sample path of the bank. Nothing happens
// unless both texts are non-empty. A path that then begins with a folder of this machine (newText
// starts with '/') becomes a path of this machine throughout. Returns the number of paths that
// changed.
unsigned ReplaceInSamplePaths(as_bank& bank, std::string_view oldText, std::string_view newText);

// Every non-empty sample path that is a key of newPaths becomes its value. Returns the number of
// slots changed.
unsigned ReplaceSamplePaths(as_bank& bank, const std::map<std::string, std::string>& newPaths);

} // namespace ovb
