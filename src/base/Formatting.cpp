#include "base/Formatting.h"

#include <cstdarg>
#include <cstdio>

namespace ovb {

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string s(n > 0 ? std::size_t(n) : 0, '\0');
    if (n > 0) std::vsnprintf(s.data(), s.size() + 1, format, args);
    va_end(args);
    return s;
}

std::string FormatWithSpaces(std::uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) out += ' ';
        out += digits[i];
    }
    return out;
}

std::string FormatSize(std::uint64_t bytes) {
    static const char* const units[] = {"bytes", "kB", "MB", "GB", "TB", "PB", "EB", "ZB", "YB"};
    double value = double(bytes);
    int n = 0;
    while (value >= 1024.0 && n < 8) {
        value /= 1024.0;
        ++n;
    }
    return Format("%.*f %s", n, value, units[n]);
}

std::string FormatDuration(std::uint64_t frames) {
    std::uint64_t ms = frames / 48;
    auto minutes = unsigned(ms / 60000);
    auto seconds = unsigned((ms % 60000) / 1000);
    auto rest = unsigned(ms % 1000);
    return Format("%02u:%02u:%03u", minutes, seconds, rest);
}

} // namespace ovb
