#pragma once
// A sample library can name its multisample with an empty marker file "<name>.msn" beside the
// WAV files; after placing files, the editor offers that name.
#include "bank/Acc_bank_structure.h"

#include <optional>
#include <string_view>

namespace ovb {

// Looks for a "*.msn" file (extension in any case) in the folder of the given stored path. When
// there are several, the first by file name is taken. The suggested name is the marker's name
// without its extension, copied as a bounded 16-byte string copy over 16 blanks: a shorter name
// is followed by zero bytes, a longer one is cut with no terminator; an empty one becomes
// "- - -" followed by zero bytes. nullopt when the folder has no marker or cannot be read.
std::optional<Name<16>> SuggestMultisampleName(std::string_view firstSelectedFile);

// The bounded copy described above, for any text.
Name<16> MultisampleNameFromText(std::string_view text);

} // namespace ovb
