#pragma once
// What differs between two banks, record by record and field by field, in the words a sound
// designer reads: "sound 0012 'Piano+Str': zone 2 multisample 0003 -> 0007; velocity 000..127 ->
// 000..100". One line per record or block that differs; none when the banks are equal.
#include "bank/Acc_bank_structure.h"

#include <string>
#include <vector>

namespace ovb {

std::vector<std::string> DiffBanks(const as_bank& a, const as_bank& b);

} // namespace ovb
