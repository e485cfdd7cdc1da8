// Split-volume files with a 1 KiB volume size, so that the boundaries the module meets at 4 GiB
// are crossed with a few kilobytes. Expected volume contents are cut from the source bytes by
// offset, independently of the writer's loop. Files live in memory except where the disk itself
// is the point.
#include "bank/Mysplitfilereader.h"
#include "bank/Mysplitfilewriter.h"
#include "job/MemoryStore.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <set>

using namespace ovb;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t kSmall = 1024;
const std::string kOutside =
    "Error: Go to Position outside all files in MySplitFileReader_GoToPosition!";
const std::string kShort = "Error: Error 1 in MySplitFileReader!";

// Non-periodic bytes, so that a piece read from the wrong offset or volume cannot match.
Bytes Source(std::size_t n, std::uint32_t seed) {
    Bytes b(n);
    for (auto& x : b) {
        seed = seed * 1664525u + 1013904223u;
        x = std::uint8_t(seed >> 24);
    }
    return b;
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t n) {
    return Bytes(b.begin() + long(from), b.begin() + long(from + n));
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SplitFileTest : public ::testing::Test {
  protected:
    // Writes data in pieces of chunk bytes, so that single writes straddle volume ends.
    bool Store(const Bytes& data, std::size_t chunk = 700, bool removeStale = true) {
        Mysplitfilewriter w(kSmall, files);
        if (!w.Open(base, true)) return false;
        for (std::size_t at = 0; at < data.size(); at += chunk)
            if (!w.Write(data.data() + at, std::min(chunk, data.size() - at))) return false;
        return w.Commit(removeStale);
    }

    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& p : files.names())
            names.insert(p.filename());
        return names;
    }

    Bytes ReadAt(Mysplitfilereader& r, std::uint64_t at, std::size_t n) {
        Bytes b(n);
        EXPECT_TRUE(r.GoToPosition(at));
        EXPECT_TRUE(r.Read(b.data(), n));
        return b;
    }

    MemoryStore files;
    fs::path dir = "/card";
    fs::path base = dir / "BANK.OVB";
    ScriptedJobServices ui;
};

TEST(SplitVolumes, NamesReplaceOrAppendTheExtension) {
    EXPECT_EQ(VolumePath("/m/BANK.OVB", 1), fs::path("/m/BANK.O01"));
    EXPECT_EQ(VolumePath("/m.d/BANK", 2), fs::path("/m.d/BANK.O02"));
    EXPECT_EQ(VolumePath("/m/A.B.SMP", 7, ".Z%02u"), fs::path("/m/A.B.Z07"));
}

TEST_F(SplitFileTest, NextVolumeStartsOnlyWhenAByteNeedsItAndNeverWhenSplittingIsOff) {
    ASSERT_TRUE(Store(Source(kSmall, 1)));
    EXPECT_EQ(Names(), std::set<std::string>{"BANK.OVB"}) << "no empty volume after a full one";
    const Bytes more = Source(kSmall + 1, 2);
    ASSERT_TRUE(Store(more));
    EXPECT_EQ(files.bytes(dir / "BANK.O01"), Slice(more, kSmall, 1));

    const Bytes data = Source(3 * kSmall + 5, 3);
    Mysplitfilewriter w(kSmall, files);
    ASSERT_TRUE(w.Open(base, false));
    ASSERT_TRUE(w.Write(data.data(), data.size()));
    ASSERT_TRUE(w.Commit(true));
    EXPECT_EQ(Names(), std::set<std::string>{"BANK.OVB"});
    EXPECT_EQ(files.bytes(base), data);
}

TEST_F(SplitFileTest, RoundTripAcrossVolumesAndEndOfDataRules) {
    Bytes data = Source(3 * kSmall + 500, 4);
    ASSERT_TRUE(Store(data));
    for (unsigned k = 1; k <= 3; ++k)
        EXPECT_EQ(files.bytes(VolumePath(base, k)), Slice(data, k * kSmall, k < 3 ? kSmall : 500));

    Mysplitfilereader r(ui, files);
    ASSERT_TRUE(r.Open(base, true));
    ASSERT_EQ(r.Size(), data.size());
    Bytes all(data.size());
    ASSERT_TRUE(r.Read(all.data(), all.size())); // one read over all four volumes
    EXPECT_EQ(all, data);

    // Pieces that cross boundaries, start on them and end on them.
    EXPECT_EQ(ReadAt(r, kSmall - 3, 10), Slice(data, kSmall - 3, 10));
    EXPECT_EQ(ReadAt(r, 100, 2 * kSmall - 100), Slice(data, 100, 2 * kSmall - 100));
    Bytes next(5);
    ASSERT_TRUE(r.Read(next.data(), next.size())); // goes on in volume 2 after ending volume 1
    EXPECT_EQ(next, Slice(data, 2 * kSmall, 5));
    EXPECT_EQ(r.Position(), 2 * kSmall + 5);
    EXPECT_TRUE(ui.shown().empty());

    // Failed moves and reads say so and stay where they were.
    ASSERT_TRUE(r.GoToPosition(100));
    EXPECT_FALSE(r.GoToPosition(r.Size()));
    EXPECT_FALSE(r.Read(all.data(), r.Size() - 100 + 1));
    EXPECT_EQ(r.Position(), 100u);
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{kOutside, kShort}));
    ui.transcript.clear();
    // A read or skip ending exactly at the end succeeds and says nothing; one byte more fails.
    EXPECT_EQ(ReadAt(r, r.Size() - 400, 400), Slice(data, data.size() - 400, 400));
    EXPECT_EQ(r.Position(), r.Size());
    ASSERT_TRUE(r.GoToPosition(10));
    EXPECT_TRUE(r.Skip(r.Size() - 10));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_FALSE(r.Read(all.data(), 1));
    EXPECT_FALSE(r.Skip(1));
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{kShort, kShort}));
}

TEST_F(SplitFileTest, UncommittedOrFailedWritersLeaveTheOldFiles) {
    Bytes old = Source(2 * kSmall + 10, 7);
    ASSERT_TRUE(Store(old));
    const auto names = Names();
    Bytes fresh = Source(4 * kSmall, 8);
    {
        Mysplitfilewriter w(kSmall, files);
        ASSERT_TRUE(w.Open(base, true));
        ASSERT_TRUE(w.Write(fresh.data(), fresh.size()));
    } // destroyed without Commit
    {
        Mysplitfilewriter w(kSmall, files);
        ASSERT_TRUE(w.Open(base, true));
        ASSERT_TRUE(w.Write(fresh.data(), fresh.size()));
        w.Discard();
        EXPECT_FALSE(w.Commit(true));
    }
    {
        Mysplitfilewriter w(1, files); // 100 bytes need 100 volumes, one more than the names allow
        ASSERT_TRUE(w.Open(base, true));
        EXPECT_FALSE(w.Write(fresh.data(), 100));
        EXPECT_FALSE(w.Write(fresh.data(), 1));
        EXPECT_FALSE(w.Commit(true));
    }
    EXPECT_EQ(Names(), names);
    Mysplitfilereader r(ui, files);
    ASSERT_TRUE(r.Open(base, true));
    EXPECT_EQ(ReadAt(r, 0, old.size()), old);
}

TEST_F(SplitFileTest, StaleVolumesOfALongerFile) {
    ASSERT_TRUE(Store(Source(3 * kSmall + 20, 11)));
    files.put(dir / "BANK.O07", {1, 2});
    Bytes shorter = Source(kSmall + 50, 12);

    ASSERT_TRUE(Store(shorter, 700, false));
    EXPECT_EQ(Names(),
              (std::set<std::string>{"BANK.OVB", "BANK.O01", "BANK.O02", "BANK.O03", "BANK.O07"}));
    EXPECT_EQ(files.bytes(dir / "BANK.O01"), Slice(shorter, kSmall, 50));

    ASSERT_TRUE(Store(shorter, 700, true));
    EXPECT_EQ(Names(), (std::set<std::string>{"BANK.OVB", "BANK.O01"}));
}

TEST_F(SplitFileTest, MissingVolumesAreSkipped) {
    Bytes data = Source(3 * kSmall + 40, 13);
    ASSERT_TRUE(Store(data));
    std::string why;
    files.remove(dir / "BANK.O01", why);
    Mysplitfilereader r(ui, files);
    ASSERT_TRUE(r.Open(base, true));
    EXPECT_EQ(r.VolumeSize(1), 0u);
    ASSERT_EQ(r.Size(), data.size() - kSmall);
    EXPECT_EQ(ReadAt(r, kSmall - 2, 5), Slice(data, kSmall - 2, 2) + Slice(data, 2 * kSmall, 3));

    // Without splitting only the base file is read, whatever volumes lie beside it.
    ASSERT_TRUE(r.Open(base, false));
    EXPECT_EQ(r.Size(), kSmall);
    // A missing base file with volumes present still yields the volumes' bytes.
    files.remove(base, why);
    ASSERT_TRUE(r.Open(base, true));
    EXPECT_EQ(ReadAt(r, 0, 4), Slice(data, 2 * kSmall, 4));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_FALSE(r.Open(dir / "none.OVB", true));
    EXPECT_EQ(r.Size(), 0u);
}

// On the disk: the kernel copies file ranges into the volumes, and names that are no files are
// refused before anything is written.
TEST(SplitFileOnDisk, CopiedFileRangesAndNamesThatAreNoFiles) {
    test::TempDir dir;
    const fs::path base = dir / "BANK.OVB";
    const Bytes source = Source(5000, 11);
    test::WriteAll(dir / "source.bin", source);
    const auto in = FileSource::Open(dir / "source.bin");
    ASSERT_NE(in, nullptr);
    const Bytes head = Source(300, 12);
    {
        Mysplitfilewriter failing(kSmall);
        ASSERT_TRUE(failing.Open(base, true));
        ASSERT_TRUE(failing.Write(head.data(), head.size()));
        EXPECT_FALSE(failing.CopyFrom(*in, 4990, 20)); // the source ends first
        EXPECT_FALSE(failing.Commit(true));
    }
    EXPECT_FALSE(fs::exists(base));

    Mysplitfilewriter w(kSmall);
    ASSERT_TRUE(w.Open(base, true));
    ASSERT_TRUE(w.Write(head.data(), head.size()));
    ASSERT_TRUE(w.CopyFrom(*in, 44, 2500)); // crosses two volume ends
    ASSERT_TRUE(w.Write(head.data(), 10));
    ASSERT_TRUE(w.CopyFrom(*in, 0, 7));
    ASSERT_TRUE(w.Commit(true));

    const Bytes expected =
        head + Slice(source, 44, 2500) + Slice(head, 0, 10) + Slice(source, 0, 7);
    Bytes joined;
    for (unsigned k = 0; k < 3; ++k) {
        Bytes v = test::ReadAll(k == 0 ? base : VolumePath(base, k));
        EXPECT_LE(v.size(), kSmall);
        joined = joined + v;
    }
    EXPECT_EQ(joined, expected);
    EXPECT_FALSE(fs::exists(VolumePath(base, 3)));

    // A folder under a volume's name could never be replaced: refused before the commit.
    fs::create_directories(dir / "BANK.O03" / "x");
    const Bytes fresh = Source(4 * kSmall, 8);
    EXPECT_FALSE(w.Open(base, true) && w.Write(fresh.data(), fresh.size()));
    EXPECT_NE(w.error().find("BANK.O03"), std::string::npos) << w.error();
    EXPECT_FALSE(w.Open(dir / "missing" / "BANK.OVB", true));
    EXPECT_EQ(test::ReadAll(base), Slice(expected, 0, kSmall));
}

} // namespace
