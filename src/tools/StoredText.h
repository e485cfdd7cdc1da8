#pragma once
// Names and paths are stored as bytes in the code page of the computer that wrote the bank. The
// text forms of a bank show them as text where the bytes decode, and as hex bytes where they do
// not. Decoding and encoding live here only, so that the bank's code page can be chosen later
// without touching their users.
#include <optional>
#include <string>
#include <string_view>

namespace ovb {

// The stored bytes as UTF-8 text; nullopt when they do not decode. Today the stored bytes are
// taken as UTF-8 (plain ASCII included) and decode when they are valid UTF-8.
std::optional<std::string> DecodeStoredText(std::string_view stored);

// The inverse of DecodeStoredText: EncodeStoredText(*DecodeStoredText(b)) == b for every b that
// decodes. Text that a bank cannot store gives nullopt.
std::optional<std::string> EncodeStoredText(std::string_view text);

// "4142ff": two lower-case hex digits per byte.
std::string HexBytes(std::string_view bytes);
// The bytes of a hex text (either case, no separators); nullopt for an odd length or a non-hex
// character.
std::optional<std::string> BytesFromHex(std::string_view hex);

} // namespace ovb
