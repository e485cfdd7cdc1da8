#include "tools/RangeRemoval.h"

#include <algorithm>

namespace ovb {

void RemoveMultisampleRange(as_bank& bank, unsigned from, unsigned to) {
    to = std::min(to, kMultisamples);
    for (unsigned m = from; m < to; ++m) {
        bank.multisample(m) = NewMultisample();
        for (std::string& path : bank.paths(m))
            path.assign(kEmptyPath);
    }
}

void RemoveSoundRange(as_bank& bank, unsigned from, unsigned to) {
    to = std::min(to, kSounds);
    for (unsigned s = from; s < to; ++s)
        bank.sound(s) = NewSound();
}

} // namespace ovb
