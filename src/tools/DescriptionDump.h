#pragma once
// The bank as readable text (JSON): every record that differs from a reset bank's, field by field,
// with names and paths as text where they decode and as hex bytes where they do not, and the
// device bytes, blocks and reserved data as hex runs where they differ from a reset bank. The
// same bank always gives the same text; ReadDescription turns it back into the same bank.
#include "bank/Acc_bank_structure.h"

#include <string>

namespace ovb {

std::string DumpDescription(const as_bank& bank);

} // namespace ovb
