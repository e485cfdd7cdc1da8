#pragma once
// A full bank for the check and window benchmarks: 10000 multisamples × 64 distinct paths, every
// 50th multisample sharing one path with the multisample before it, and 10000 sounds with all 20
// zones in use. Also as a bank file on disk, with every name set.
#include "bank/Acc_bank_structure.h"
#include "bank/BankFileWriter.h"
#include "job/ScriptedJobServices.h"
#include "wav/Wav_file_parser.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

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

template <std::size_t N> void SetName(Name<N>& name, const char* prefix, unsigned i, char mark) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %c%05u", prefix, mark, i);
    name.fill('.'); // no padding left: every byte of the name is text
    std::copy_n(text, std::min(N, std::strlen(text)), name.begin());
}

// A copy of a bank's records and paths.
inline void CopyBank(const as_bank& from, as_bank& to) {
    to.records() = from.records();
    for (unsigned m = 0; m < kMultisamples; ++m)
        to.paths(m) = from.paths(m);
}

// Every name of every table, with a mark character that can differ between two generations so
// that a refresh finds every list item changed.
inline void NameEverything(as_bank& bank, as_bank& manager, char mark) {
    for (unsigned i = 0; i < kScenes; ++i) {
        SetName(bank.scene(i).name, "Scene", i, mark);
        SetName(bank.solo(i).name, "Solo", i, mark);
        SetName(bank.acomp(i).name, "Acomp", i, mark);
        SetName(bank.fbass(i).name, "Fbass", i, mark);
        SetName(bank.chord(i).name, "Chord", i, mark);
    }
    for (unsigned i = 0; i < kSounds; ++i) {
        SetName(bank.sound(i).name, "Snd", i, mark);
        SetName(manager.sound(i).name, "Mgr", i, mark);
    }
    for (unsigned i = 1; i < kMultisamples; ++i)
        SetName(bank.multisample(i).name, "MS", i, mark);
}

// FOLDER/full.ovb: the full bank with every name set, its 640000 slots naming 64 WAV files of one
// sector each in FOLDER/samples (a bank file needs its WAV files). Made once and kept; empty
// when it could not be made.
inline std::filesystem::path FullBankFile(const std::filesystem::path& folder) {
    const auto bankPath = folder / "full.ovb";
    if (std::filesystem::exists(bankPath)) return bankPath;
    std::filesystem::create_directories(folder / "samples");
    auto bank = FullBank();
    auto manager = std::make_unique<as_bank>();
    NameEverything(*bank, *manager, 'a');
    char name[32];
    for (unsigned s = 0; s < kSamplesPerMultisample; ++s) {
        std::snprintf(name, sizeof name, "Sample %02u.wav", s);
        const auto wav = folder / "samples" / name;
        const auto header = MakeWavHeader(s % 2 == 1, 512);
        std::ofstream out(wav, std::ios::binary);
        out.write(reinterpret_cast<const char*>(header.data()), header.size());
        const std::string audio(512, char(s + 1));
        out.write(audio.data(), audio.size());
        for (unsigned m = 0; m < kMultisamples; ++m)
            bank->path(m, s) = wav.string();
    }
    ScriptedJobServices quiet;
    return CreateBankFile(*bank, bankPath, quiet) ? bankPath : std::filesystem::path();
}

} // namespace ovb::bench
