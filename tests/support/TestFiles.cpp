#include "support/TestFiles.h"

#include "wav/Wav_file_parser.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace ovb::test {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("ovb-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = std::uint8_t(seed + i * 7 + (i >> 8));
    return b;
}

void WriteWav(const std::filesystem::path& path, bool stereo, std::size_t dataBytes,
              std::uint8_t seed) {
    auto header = MakeWavHeader(stereo, std::uint32_t(dataBytes));
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    auto data = PatternBytes(dataBytes, seed);
    bytes.insert(bytes.end(), data.begin(), data.end());
    WriteAll(path, bytes);
}

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void Patch(const std::filesystem::path& path, std::uint64_t offset,
           const std::vector<std::uint8_t>& bytes) {
    std::fstream f(path, std::ios::binary | std::ios::in | std::ios::out);
    f.seekp(std::streamoff(offset));
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f) throw std::runtime_error("cannot patch " + path.string());
}

} // namespace ovb::test

namespace ovb::test {
std::vector<std::uint8_t> ReadRange(const std::filesystem::path& path, std::uint64_t offset,
                                    std::size_t size) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(std::streamoff(offset));
    std::vector<std::uint8_t> b(size);
    in.read(reinterpret_cast<char*>(b.data()), std::streamsize(size));
    b.resize(std::size_t(in.gcount()));
    return b;
}
} // namespace ovb::test

#include "bank/Acc_bank_structure.h"

#include <cstring>
#include <gtest/gtest.h>

namespace ovb::test {

void ExpectSameBank(const as_bank& a, const as_bank& b) {
    const auto* ra = reinterpret_cast<const std::uint8_t*>(&a.records());
    const auto* rb = reinterpret_cast<const std::uint8_t*>(&b.records());
    const std::size_t aStart = offsetof(as_bank_records, reserved_a);
    const std::size_t aEnd = offsetof(as_bank_records, path_length_table);
    EXPECT_EQ(std::memcmp(ra, rb, aStart), 0);
    EXPECT_EQ(std::memcmp(ra + aEnd, rb + aEnd, sizeof(as_bank_records) - aEnd), 0);
    for (unsigned m = 0; m < kMultisamples; ++m)
        ASSERT_EQ(a.paths(m), b.paths(m)) << "multisample " << m;
}

void ExpectResetBank(const as_bank& bank) {
    as_bank fresh;
    EXPECT_EQ(std::memcmp(&fresh.records(), &bank.records(), offsetof(as_bank_records, reserved_a)),
              0);
    for (unsigned m = 0; m < kMultisamples; ++m)
        ASSERT_EQ(bank.paths(m), fresh.paths(m)) << "multisample " << m;
    EXPECT_EQ(bank.loadedFile(), "No loaded bank!");
}

} // namespace ovb::test
