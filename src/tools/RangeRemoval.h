#pragma once
// Removing a range of multisamples or sounds: the records go back to their new-bank state.
// Zones and set-ups that referred to them keep their numbers.
#include "bank/Acc_bank_structure.h"

namespace ovb {

// Resets multisamples from, from + 1, ..., to - 1 (to itself stays; from >= to removes nothing)
// and gives each 64 empty paths. Numbers beyond the table are ignored.
void RemoveMultisampleRange(as_bank& bank, unsigned from, unsigned to);
// Resets sounds from .. to - 1 in the same way.
void RemoveSoundRange(as_bank& bank, unsigned from, unsigned to);

} // namespace ovb
