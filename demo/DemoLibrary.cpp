// ovb-demo-library: synthesises the demo multisample library into a folder, so that a fresh
// build always has real samples to open.
//
//   ovb-demo-library FOLDER   writes the library; prints nothing on success
//   ovb-demo-library --list   prints one line per instrument, fields separated by tabs:
//                             name, folder, scheme, mono|stereo, first note, last note, step
//
// The output is the same, byte for byte, on every run.
#include "DemoInstruments.h"
#include "DemoSynth.h"

#include "job/ReplacingFile.h"
#include "wav/Wav_file_parser.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace fs = std::filesystem;
using namespace ovb::demo;

namespace {

bool Fail(const fs::path& path, const std::string& why) {
    std::fprintf(stderr, "ovb-demo-library: %s: %s\n", path.c_str(), why.c_str());
    return false;
}

bool WriteWhole(const fs::path& path, const void* head, std::size_t headSize, const void* body,
                std::size_t bodySize) {
    ovb::ReplacingFile file(path);
    file.write(head, headSize);
    file.write(body, bodySize);
    if (!file.commit()) return Fail(path, file.error());
    return true;
}

bool WriteSample(const fs::path& path, const DemoInstrument& in, unsigned note) {
    // Samples lie in memory as the file stores them: 16-bit little-endian, interleaved.
    const auto samples = SynthesiseTone(in.voice, note, in.stereo);
    const auto bytes = samples.size() * sizeof samples[0];
    const auto header = ovb::MakeWavHeader(in.stereo, std::uint32_t(bytes));
    return WriteWhole(path, header.data(), header.size(), samples.data(), bytes);
}

bool WriteInstrument(const fs::path& library, const DemoInstrument& in) {
    const fs::path folder = library / in.folder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return Fail(folder, ec.message());
    if (!WriteWhole(folder / MarkerFileName(in), nullptr, 0, nullptr, 0)) return false;
    for (unsigned note = in.firstNote; note <= in.lastNote; note += in.step)
        if (!WriteSample(folder / SampleFileName(in, note), in, note)) return false;
    return true;
}

void List() {
    for (const auto& in : kDemoInstruments) {
        const std::string name(in.name), folder(in.folder), scheme(SchemeName(in.scheme));
        std::printf("%s\t%s\t%s\t%s\t%u\t%u\t%u\n", name.c_str(), folder.c_str(), scheme.c_str(),
                    in.stereo ? "stereo" : "mono", in.firstNote, in.lastNote, in.step);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ovb-demo-library FOLDER | --list\n");
        return 2;
    }
    if (std::string_view(argv[1]) == "--list") {
        List();
        return 0;
    }
    for (const auto& in : kDemoInstruments)
        if (!WriteInstrument(argv[1], in)) return 1;
    return 0;
}
