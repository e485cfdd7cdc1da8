// ovb-bench-make-script: writes a script whose multisample slots point at the given WAV files,
// for the end-to-end benchmarks.
//
//   ovb-bench-make-script OUT.ovs WAV... [--repeat N]
//
// The files fill the slots in order, 64 per multisample. --repeat N references the whole list N
// more times in further slots, so a bank of several GB comes from a few hundred MB on disk. The
// size calculation runs before the script is written, so the script loads without questions;
// its errors (a WAV file the bank cannot hold) stop the tool.
#include "bank/Acc_bank_structure.h"
#include "bank/BankSize.h"
#include "bank/ScriptFile.h"
#include "job/ConsoleJobServices.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxPath = 253; // the path length table holds the length plus CR LF

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "ovb-bench-make-script: %s\nusage: ovb-bench-make-script OUT.ovs WAV... "
                 "[--repeat N]\n",
                 problem);
    return 2;
}

struct Request {
    fs::path out;
    std::vector<std::string> wavs; // absolute, as the bank stores them
    unsigned long repeat = 0;
};

bool ParseArgs(int argc, char** argv, Request& r, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word == "--repeat") {
            if (i + 1 == argc) return error = "--repeat needs a number", false;
            r.repeat = std::strtoul(argv[++i], nullptr, 10);
        } else if (r.out.empty()) {
            r.out = word;
        } else {
            r.wavs.push_back(fs::absolute(word).lexically_normal().string());
            if (r.wavs.back().size() > kMaxPath) return error = "path too long: " + word, false;
        }
    }
    if (r.out.empty() || r.wavs.empty()) return error = "need OUT.ovs and WAV files", false;
    if (r.wavs.size() * (r.repeat + 1) > ovb::kSlots)
        return error = "more references than the bank's 640000 slots", false;
    return true;
}

void FillSlots(ovb::as_bank& bank, const Request& r) {
    unsigned slot = 0;
    for (unsigned long round = 0; round <= r.repeat; ++round)
        for (const std::string& wav : r.wavs) {
            unsigned m = slot / ovb::kSamplesPerMultisample;
            bank.path(m, slot % ovb::kSamplesPerMultisample) = wav;
            ++slot;
        }
    for (unsigned m = 0; m * ovb::kSamplesPerMultisample < slot; ++m) {
        ovb::Name<16>& name = bank.multisample(m).name;
        name.fill(' ');
        std::string text = "Bench " + std::to_string(m);
        text.copy(name.data(), std::min(text.size(), name.size()));
    }
}

} // namespace

int main(int argc, char** argv) {
    Request request;
    std::string error;
    if (!ParseArgs(argc, argv, request, error)) return Usage(error.c_str());

    auto bank = std::make_unique<ovb::as_bank>(); // 67 MB of records: not on the stack
    FillSlots(*bank, request);
    ovb::ConsoleJobServices ui({.yesToAll = false, .quiet = false});
    ovb::BankSizeResult size = ovb::CalculateBankSize(*bank, ui);
    if (size.errors) {
        std::fprintf(stderr, "ovb-bench-make-script: %u WAV files cannot go into a bank\n",
                     size.errors);
        return 1;
    }
    ovb::FillBankFileInfo(*bank, size, request.out.string());
    if (!ovb::WriteScript(*bank, request.out, ui)) return 1;
    std::printf("%s\n", ovb::EstimatedSizeText(size.totalSize).c_str());
    return 0;
}
