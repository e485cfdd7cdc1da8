#pragma once
// A full bank for the check benchmarks: 10000 multisamples × 64 distinct paths, every 50th
// multisample sharing one path with the multisample before it, and 10000 sounds with all 20
// zones in use.
#include "bank/Acc_bank_structure.h"

#include <cstdio>
#include <memory>

namespace ovb::bench {

inline std::unique_ptr<as_bank> FullBank() {
    auto bank = std::make_unique<as_bank>();
    char text[80];
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (unsigned s = 0; s < kSamplesPerMultisample; ++s) {
            std::snprintf(text, sizeof text, "D:\\Samples\\Library\\MS %05u\\Sample %02u.wav", m,
                          s);
            bank->path(m, s) = text;
        }
        if (m % 50 == 0 && m > 1) bank->path(m, 7) = bank->path(m - 1, 7);
    }
    // Sound s plays multisamples s*20+z modulo 9999 (+1): every multisample is played except a
    // few left over for the unused check to find.
    for (unsigned s = 0; s < kSounds; ++s)
        for (unsigned z = 0; z < kZones; ++z)
            bank->sound(s).zone[z].set_multisample(1 + (s * 7 + z * 3) % 9900);
    return bank;
}

} // namespace ovb::bench
