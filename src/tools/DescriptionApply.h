#pragma once
// A bank description (the JSON text DumpDescription writes, or one a person wrote) read back into
// a bank. What the text leaves out is as in a reset bank. Nothing is guessed: an unknown key, a
// value of the wrong kind or out of range, a name too long, a record number past its table or a
// member given twice is refused, and the refusal names the JSON path of the fault.
#include "bank/Acc_bank_structure.h"

#include <string>
#include <string_view>

namespace ovb {

// Resets the bank and fills it from the text. False with the fault in error, as
// "/sounds/0012/zones/2/volume: 300 is out of range 0..255"; the bank is then reset again.
bool ReadDescription(std::string_view text, as_bank& bank, std::string& error);

} // namespace ovb
