#include "audio/Wav_samples.h"

#include "audio/Wav_silence.h"
#include "job/InputFile.h"
#include "job/ReplacingBatch.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <fstream>
#include <memory>
#include <new>

namespace ovb {

static_assert(std::endian::native == std::endian::little,
              "audio values are used in the file's byte order");

WavStatus OpenWavAudio(const std::filesystem::path& path, std::ifstream& in, WavLayout& layout) {
    layout = WavLayout{};
    // Looked at first: a FIFO or a device is never opened by the stream, which would wait.
    const InputCheck check = ProbeInput(path);
    if (check.problem == FileProblem::Missing) return WavStatus::Missing;
    if (check.empty()) return WavStatus::Rejected;
    if (!check.ready()) return WavStatus::CannotOpen;
    in.open(path, std::ios::binary);
    if (!in.is_open()) return WavStatus::CannotOpen;
    layout = ParseWav(in);
    if (layout.format == WavRejected) return WavStatus::Rejected;
    if (!layout.hasData) return WavStatus::NoData;
    if (layout.dataSize == 0) return WavStatus::Empty;
    if (!layout.dataComplete()) return WavStatus::ReadFailed;
    in.seekg(std::streamoff(layout.dataOffset));
    return WavStatus::Ok;
}

WavStatus OpenWavSamples(const std::filesystem::path& path, WavSamples& out) {
    out.file.close();
    out.file.clear();
    const WavStatus load = OpenWavAudio(path, out.file, out.layout);
    if (load != WavStatus::Ok) return load;
    try {
        out.values.resize((std::size_t(out.layout.dataSize) + 1) / 2);
    } catch (const std::bad_alloc&) {
        out.values = {};
        return WavStatus::ReadFailed;
    }
    out.values.back() = 0;
    return WavStatus::Ok;
}

namespace {

// The ends are read in pieces that double, so that a long silence is read in a few calls and
// scanned about twice at most.
constexpr std::size_t kFirstPieceValues = 128u << 10;

// Reads values [first, first + count) of the audio.
bool ReadValues(WavSamples& wav, std::size_t first, std::size_t count) {
    const std::streamsize bytes = std::streamsize(2 * count);
    wav.file.clear();
    wav.file.seekg(std::streamoff(wav.layout.dataOffset + 2 * std::uint64_t(first)));
    wav.file.read(reinterpret_cast<char*>(wav.values.data() + first), bytes);
    return wav.file.gcount() == bytes;
}

} // namespace

bool ReadSilentHead(WavSamples& wav, int threshold) {
    const std::size_t n = wav.valueCount(), ch = wav.channels();
    std::size_t loaded = 0;
    for (std::size_t piece = kFirstPieceValues; loaded < n; piece *= 2) {
        const std::size_t count = std::min(piece, n - loaded);
        if (!ReadValues(wav, loaded, count)) return false;
        loaded += count;
        const std::size_t frames = loaded / ch;
        if (SilentHeadFrames({wav.values.data(), frames * ch}, ch, threshold) < frames) break;
    }
    return true;
}

bool ReadSilentTail(WavSamples& wav, int threshold) {
    const std::size_t n = wav.valueCount(), ch = wav.channels(), frames = n / ch;
    std::size_t start = n;
    for (std::size_t piece = kFirstPieceValues; start > 0; piece *= 2) {
        const std::size_t count = std::min(piece, start);
        start -= count;
        if (!ReadValues(wav, start, count)) return false;
        const std::size_t first = (start + ch - 1) / ch; // the first frame read whole
        const std::span<const std::int16_t> read(wav.values.data() + first * ch,
                                                 (frames - first) * ch);
        if (SilentTailFrames(read, ch, threshold) < frames - first) break;
    }
    return true;
}

bool ReadAudioPieces(std::istream& in, std::uint64_t bytes, const AudioPieceUse& use) {
    // Small enough to stay in the processor's cache between reading, working and writing.
    constexpr std::size_t kPieceBytes = 256u << 10;
    std::vector<std::int16_t> piece(kPieceBytes / 2);
    while (bytes > 0) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(bytes, kPieceBytes));
        piece[(n - 1) / 2] = 0; // the high half of an odd last byte's value
        in.read(reinterpret_cast<char*>(piece.data()), std::streamsize(n));
        if (std::size_t(in.gcount()) != n) return false;
        bytes -= n;
        if (!use(std::span(piece.data(), n / 2), n)) return true;
    }
    return true;
}

void WriteTrimmedWav(const std::filesystem::path& path, const WavSamples& wav, std::size_t first,
                     std::uint32_t bytes, std::size_t unchangedEnd, ReplacingBatch& batch,
                     WavWritten done) {
    const auto old = FileSource::Open(path);
    // The buffer holds only the parts the trims read: the rest can come from the file alone.
    if (!old) {
        done("cannot open for reading");
        return;
    }
    const std::uint64_t from = std::uint64_t(first) * 2, end = from + bytes;
    const std::uint64_t copied =
        std::clamp<std::uint64_t>(std::uint64_t(unchangedEnd) * 2, from, end);
    const auto header = MakeWavHeader(wav.stereo(), bytes);
    auto out = std::make_unique<ReplacingFile>(path);
    if (!out->ok()) { // refused before any work: a file its user may not write, for one
        done(out->error());
        return;
    }
    out->write(header.data(), header.size());
    if (copied > from) out->copyFrom(*old, wav.layout.dataOffset + from, copied - from);
    out->write(reinterpret_cast<const char*>(wav.values.data()) + copied, end - copied);
    batch.add(std::move(out), std::move(done));
}

} // namespace ovb
