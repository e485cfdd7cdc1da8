// Writes the seed inputs of the three harnesses into <seeds>/<harness>/:
//   fuzz_wav_parser     small WAV files: the system's own header, a LIST chunk before the data,
//                       an extensible format block, a truncated and an empty data chunk
//   fuzz_script_loader  real scripts (SaveScript) in the compact input form of SparseImage.h
//   fuzz_bank_loader    real banks (CreateBankFile) in the same form, with each volume size
// The scripts and banks are made in memory (under the names of a scratch folder, which holds the
// WAV files) and reduced to their windows; a seed that would not rebuild into the same file fails
// the run.
#include "LoaderFormats.h"

#include "bank/BankFileWriter.h"
#include "bank/ScriptFile.h"
#include "base/ByteOrder.h"
#include "job/PathSettings.h"
#include "job/MemoryStore.h"
#include "job/ScriptedJobServices.h"
#include "wav/Wav_file_parser.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace ovb;
using namespace ovb::fuzz;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::uint8_t kYes = 0, kNo = 1, kOk = 2, kCancel = 3;
// Volume size choices of the bank harness (kFuzzVolumeSizes), as flag bits.
constexpr std::uint8_t kVolumes85M = 1 << 1, kVolumes48M = 2 << 1, kVolumesOdd = 3 << 1;

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Where the scripts and banks are written.
MemoryStore& Made() {
    static MemoryStore files;
    return files;
}

// A short decaying tone, so the audio looks like audio.
Bytes Tone(std::size_t bytes, double step) {
    Bytes b(bytes);
    for (std::size_t i = 0; i + 1 < bytes; i += 2) {
        auto v = std::int16_t(9000 * std::sin(double(i) * step) * std::exp(-double(i) / 4000));
        PutLe16(&b[i], std::uint16_t(v));
    }
    return b;
}

void Append(Bytes& to, std::string_view text) {
    to.insert(to.end(), text.begin(), text.end());
}
void AppendLe32(Bytes& to, std::uint32_t v) {
    std::uint8_t b[4];
    PutLe32(b, v);
    to.insert(to.end(), b, b + 4);
}
void Append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

Bytes OwnWav(bool stereo, std::uint32_t claimed, const Bytes& data) {
    auto header = MakeWavHeader(stereo, claimed);
    Bytes b(header.begin(), header.end());
    Append(b, data);
    PutLe32(&b[4], std::uint32_t(b.size() - 8)); // a truncated file still has a true RIFF size
    return b;
}

// RIFF around the chunks that follow "WAVE".
Bytes Riff(const Bytes& chunks) {
    Bytes b;
    Append(b, "RIFF");
    AppendLe32(b, std::uint32_t(4 + chunks.size()));
    Append(b, "WAVE");
    Append(b, chunks);
    return b;
}

Bytes WithListChunk() {
    const auto& fmt = MonoFormatBlock();
    Bytes chunks(fmt.begin(), fmt.end());
    Append(chunks, "LIST");
    AppendLe32(chunks, 4 + 8 + 9); // odd: the parser adds no pad byte
    Append(chunks, "INFOINAM");
    AppendLe32(chunks, 9);
    Append(chunks, "Piano C3");
    chunks.push_back(0);
    Append(chunks, "data");
    AppendLe32(chunks, 96);
    Append(chunks, Tone(96, 0.05));
    return Riff(chunks);
}

Bytes Extensible() {
    Bytes chunks;
    Append(chunks, "fmt ");
    AppendLe32(chunks, 40);
    const std::uint8_t block[40] = {0xFE, 0xFF, 2,    0, 0x80, 0xBB, 0,  0,    0x00, 0xEE,
                                    2,    0,    4,    0, 16,   0,    22, 0,    16,   0,
                                    3,    0,    0,    0, 1,    0,    0,  0,    0,    0,
                                    16,   0,    0x80, 0, 0,    0xAA, 0,  0x38, 0x9B, 0x71};
    chunks.insert(chunks.end(), block, block + 40);
    Append(chunks, "data");
    AppendLe32(chunks, 64);
    Append(chunks, Tone(64, 0.1));
    return Riff(chunks);
}

void MakeWavSeeds(const fs::path& dir) {
    WriteFile(dir / "mono.wav", OwnWav(false, 200, Tone(200, 0.07)));
    WriteFile(dir / "stereo.wav", OwnWav(true, 256, Tone(256, 0.03)));
    WriteFile(dir / "list_chunk.wav", WithListChunk());
    WriteFile(dir / "extensible.wav", Extensible());
    WriteFile(dir / "truncated.wav", OwnWav(false, 4096, Tone(100, 0.2)));
    WriteFile(dir / "empty_data.wav", OwnWav(true, 0, {}));
}

// A bank as a user leaves it after a little editing: three samples (one stereo, one not a whole
// number of sectors), names and a scene.
void EditBank(as_bank& bank, const fs::path& samples) {
    WriteFile(samples / "piano_c3.wav", OwnWav(false, 1000, Tone(1000, 0.05)));
    WriteFile(samples / "strings_e4.wav", OwnWav(true, 1536, Tone(1536, 0.02)));
    WriteFile(samples / "bell.wav", OwnWav(false, 513, Tone(513, 0.3)));
    std::memcpy(bank.multisample(0).name.data(), "Piano C3        ", 16);
    std::memcpy(bank.multisample(7).name.data(), "Strings         ", 16);
    std::memcpy(bank.scene(0).name.data(), "Demo scene", 10);
    bank.sound(0).zone[0].set_multisample(7);
    bank.path(0, 0) = "D:\\Samples\\piano_c3.wav";
    bank.path(0, 1) = "D:\\Samples\\bell.wav";
    bank.path(7, 9) = "D:\\Samples\\strings_e4.wav";
}

struct SeedFile {
    fs::path real;
    const ImageFormat& format;
    SeedWindows windows;
};

// Encodes a real file and checks that the seed rebuilds it inside its windows.
Bytes Encode(const SeedFile& s, std::uint8_t answers, std::uint8_t flags) {
    const std::uint64_t size = Made().size(s.real);
    auto read = [&](std::uint64_t offset, std::size_t length) {
        return Made().bytes(s.real, offset, length);
    };
    Bytes seed = EncodeImage(s.format, s.windows, size, read, answers, flags);
    auto image = seed.empty() ? std::nullopt : DecodeImage(seed, s.format);
    if (!image || image->size != size)
        throw std::runtime_error("no faithful seed for " + s.real.string());
    for (std::size_t i = 0; i < s.format.anchors.size(); ++i) {
        Bytes real = read(s.format.anchors[i], s.windows.atAnchor[i]);
        Bytes rebuilt(real.size());
        image->Copy(s.format.anchors[i], rebuilt);
        if (real != rebuilt) throw std::runtime_error("window differs in " + s.real.string());
    }
    if (seed.size() >= 64 * 1024) throw std::runtime_error("seed too large");
    return seed;
}

// The same seed with the gap shortened: the rebuilt file loses the middle of its path area.
Bytes CutPathArea(Bytes seed, std::uint32_t by) {
    PutLe32(&seed[2], GetLe32(&seed[2]) - by);
    return seed;
}

// The same seed with the file cut to `size` bytes.
Bytes CutFile(Bytes seed, std::uint32_t size) {
    seed[1] |= kCutToGap;
    PutLe32(&seed[2], size);
    return seed;
}

void MakeScriptSeeds(const fs::path& dir, const fs::path& work) {
    ScriptedJobServices ui;
    as_bank bank;
    const SeedWindows windows{{4096, 8 * sizeof(as_multisample), 1024, kSector + 2048}, 1024};
    if (!SaveScript(bank, work / "empty.ovs", ui, true, Made()))
        throw std::runtime_error("empty.ovs");
    SeedFile empty{work / "empty.ovs", kScriptFormat, windows};
    WriteFile(dir / "empty_ok", Encode(empty, kOk, kKeepSizes));

    EditBank(bank, work / "Samples");
    if (!SaveScript(bank, work / "edited.ovs", ui, true, Made()) ||
        bank.multisample(7).sample[9].start_sector() == 0)
        throw std::runtime_error("edited.ovs");
    SeedFile edited{work / "edited.ovs", kScriptFormat, windows};
    WriteFile(dir / "edited_ok", Encode(edited, kOk, kKeepSizes));
    WriteFile(dir / "edited_cut_area_ok", CutPathArea(Encode(edited, kOk, kKeepSizes), 1 << 20));
    WriteFile(dir / "edited_cut_area_cancel",
              CutPathArea(Encode(edited, kCancel, kKeepSizes), 1 << 20));
    WriteFile(dir / "edited_cut_in_header", CutFile(Encode(edited, kOk, kKeepSizes), 300));
    WriteFile(dir / "edited_cut_in_records", CutFile(Encode(edited, kOk, kKeepSizes), 30000000));

    // A path added after the last size calculation: the stored path area size is stale.
    bank.path(9999, 63) = "D:\\Samples\\later.wav";
    if (!SaveScript(bank, work / "stale.ovs", ui, false, Made()))
        throw std::runtime_error("stale.ovs");
    SeedFile stale{work / "stale.ovs", kScriptFormat, windows};
    WriteFile(dir / "stale_info_ok", Encode(stale, kOk, kKeepSizes));
    WriteFile(dir / "stale_info_fixed", Encode(stale, kCancel, 0));
}

void MakeBankSeeds(const fs::path& dir, const fs::path& work) {
    ScriptedJobServices ui;
    as_bank bank;
    const std::size_t paths = kSector + 2048;
    if (!CreateBankFile(bank, work / "empty.ovb", ui, {Made()}))
        throw std::runtime_error("empty.ovb");
    SeedFile empty{
        work / "empty.ovb", kBankFormat, {{6144, 8 * sizeof(as_multisample), 1024, paths}, 1024}};
    WriteFile(dir / "empty_one_file", Encode(empty, kYes, kKeepSizes));
    WriteFile(dir / "empty_volumes_85m", Encode(empty, kNo, kKeepSizes | kVolumes85M));

    EditBank(bank, work / "Samples");
    if (!CreateBankFile(bank, work / "edited.ovb", ui, {Made()}))
        throw std::runtime_error("edited.ovb");
    const std::size_t audio = std::size_t(bank.info().sample_data_size());
    SeedFile edited{work / "edited.ovb",
                    kBankFormat,
                    {{6144, 8 * sizeof(as_multisample), 1024, audio + paths}, 1024}};
    WriteFile(dir / "edited_one_file", Encode(edited, kYes, kKeepSizes));
    WriteFile(dir / "edited_volumes_85m", Encode(edited, kYes, kKeepSizes | kVolumes85M));
    WriteFile(dir / "edited_volumes_48m", Encode(edited, kNo, kKeepSizes | kVolumes48M));
    WriteFile(dir / "edited_volumes_odd", Encode(edited, kYes, kVolumesOdd));
    WriteFile(dir / "edited_stray_volume",
              Encode(edited, kYes, kKeepSizes | kVolumes48M | kStrayVolume));
    WriteFile(dir / "edited_missing_volume",
              Encode(edited, kYes, kKeepSizes | kVolumes85M | kRemoveLastVolume));
    // Cut inside the audio, with the stored size made to match: the marker is not found.
    WriteFile(dir / "edited_cut_in_audio",
              CutFile(Encode(edited, kYes, 0), std::uint32_t(kSampleDataOffset + 1024)));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
        return 2;
    }
    const fs::path seeds = argv[1];
    // A fixed scratch folder: the paths stored in the scripts and banks, and so the seeds, are
    // the same on every run.
    const fs::path work = fs::temp_directory_path() / "ovb-make-seeds";
    try {
        fs::remove_all(work);
        fs::create_directories(work / "Samples");
        SetPathSettings({{{'D', work}}, ""});
        for (const char* h : {"fuzz_wav_parser", "fuzz_script_loader", "fuzz_bank_loader"})
            fs::create_directories(seeds / h);
        MakeWavSeeds(seeds / "fuzz_wav_parser");
        MakeScriptSeeds(seeds / "fuzz_script_loader", work);
        MakeBankSeeds(seeds / "fuzz_bank_loader", work);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_seeds: %s\n", e.what());
        fs::remove_all(work);
        return 1;
    }
    fs::remove_all(work);
    return 0;
}
