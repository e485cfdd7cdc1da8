#pragma once
// Stored paths are bytes in the code page of the computer that wrote them; file names on this
// machine are UTF-8. iconv converts between the two, so any code page it knows can be chosen.
#include <optional>
#include <string>
#include <string_view>

namespace ovb {

bool IsValidUtf8(std::string_view bytes);

// Whether iconv converts between this code page and UTF-8.
bool IsKnownCodePage(const std::string& codePage);

// Nothing when the bytes are not valid in the code page.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, const std::string& codePage);
// Nothing when the code page cannot hold a character of the text.
std::optional<std::string> Utf8ToCodePage(std::string_view utf8, const std::string& codePage);

// One character per byte: never fails, never loses a byte.
std::string Latin1ToUtf8(std::string_view bytes);

// The first character of the UTF-8 text that the code page cannot hold ("" when it holds all).
std::string FirstUnencodable(std::string_view utf8, const std::string& codePage);

// A key under which names that differ only in letter case are equal (Cyrillic, Greek and accented
// Latin letters too). Bytes that are not valid UTF-8 are kept as they are.
std::string FoldCase(std::string_view utf8);

} // namespace ovb
