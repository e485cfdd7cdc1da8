// ParseWav on arbitrary bytes. Besides the sanitizers, every answer is checked against the
// bytes: an accepted file has the header it was accepted for, a found data chunk lies inside
// the file at the end of a chain of chunks, and the data of an accepted file, given the header
// the system writes, is accepted again with the same format and size.
#include "base/ByteOrder.h"
#include "wav/Wav_file_parser.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

namespace {

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "\n*** WAV parser invariant violated: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

ovb::WavLayout Parse(const std::string& bytes) {
    std::istringstream in(bytes);
    return ovb::ParseWav(in);
}

// The id of the first "data" chunk reached by walking the chunks after the format block by
// their stated sizes; npos when the walk leaves the file first.
std::size_t DataChunkAt(std::string_view b) {
    std::size_t pos = 36;
    while (pos + 4 <= b.size()) {
        if (b.substr(pos, 4) == "data") return pos;
        if (pos + 8 > b.size()) break;
        std::uint64_t next = pos + 8 + std::uint64_t(ovb::GetLe32(b.data() + pos + 4));
        if (next >= b.size()) break;
        pos = std::size_t(next);
    }
    return std::string_view::npos;
}

void CheckAcceptedHeader(std::string_view b, ovb::WavFormat format) {
    Require(b.size() >= 36, "accepted a file shorter than its header");
    Require(b.substr(0, 4) == "RIFF" && b.substr(8, 4) == "WAVE", "accepted without RIFF/WAVE");
    Require(ovb::GetLe32(b.data() + 4) + std::uint64_t(8) == b.size(),
            "accepted with a RIFF size that does not match the file");
    const auto& block =
        format == ovb::WavStereo ? ovb::StereoFormatBlock() : ovb::MonoFormatBlock();
    Require(std::memcmp(block.data(), b.data() + 12, block.size()) == 0,
            "accepted with a format block other than the one it reported");
}

void CheckRewritten(std::string_view data, const ovb::WavLayout& w) {
    auto header = ovb::MakeWavHeader(w.format == ovb::WavStereo, w.dataSize);
    std::string file(header.begin(), header.end());
    file.append(data);
    ovb::WavLayout again = Parse(file);
    Require(again.format == w.format && again.hasData && again.dataSize == w.dataSize &&
                again.dataOffset == ovb::kWavHeaderSize && again.dataComplete(),
            "the data of an accepted file is not accepted again under the written header");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ovb::WavLayout w = Parse(bytes);
    Require(w.fileSize == size, "wrong file size");
    if (w.format == ovb::WavRejected || !w.hasData) {
        Require(!w.hasData || w.format != ovb::WavRejected, "data found in a rejected file");
        Require(w.dataSize == 0 && w.dataOffset == 0, "size or offset without a data chunk");
    }
    if (w.format == ovb::WavRejected) return 0;
    CheckAcceptedHeader(bytes, w.format);

    const std::size_t at = DataChunkAt(bytes);
    Require(w.hasData == (at != std::string_view::npos), "data chunk found or missed wrongly");
    if (!w.hasData) return 0;
    Require(w.dataOffset <= w.fileSize, "data offset beyond the end of the file");
    if (at + 8 > size) {
        // "data" without a complete size field: nothing can be read from it.
        Require(w.dataSize == 0, "a size read from beyond the end of the file");
        return 0;
    }
    Require(w.dataOffset == at + 8, "data offset is not after the data chunk's size field");
    Require(w.dataSize == ovb::GetLe32(data + at + 4), "data size is not the chunk's size field");
    Require(w.dataComplete() == (w.dataOffset + w.dataSize <= size), "dataComplete is wrong");
    if (w.dataComplete())
        CheckRewritten(std::string_view(bytes).substr(w.dataOffset, w.dataSize), w);
    return 0;
}
