#pragma once
// Texts built the way the program shows them: printf-style formats, sizes and durations.
#include <cstdint>
#include <string>

namespace ovb {

// printf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// 1234567 -> "1 234 567".
std::string FormatWithSpaces(std::uint64_t value);

// Divides by 1024 while the value is at least 1024 and prints "%.*f %s" with as many decimals
// as divisions: 1536 -> "1.5 kB", 1000 -> "1000 bytes".
std::string FormatSize(std::uint64_t bytes);

// Frames at 48 kHz as "%02u:%02u:%03u" minutes, seconds, milliseconds.
std::string FormatDuration(std::uint64_t frames);

} // namespace ovb
