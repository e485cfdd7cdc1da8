// Found by fuzzing the loaders: a path area whose line ends were lost turns into a few paths of
// megabytes, and the bank kept that memory after every reset, so repeated loads of damaged
// files piled it up in ever more path slots.
#include "bank/Acc_bank_structure.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

namespace {

constexpr std::uint64_t kPathArea = 51921408; // the first byte after the marker sector
constexpr std::size_t kLongLine = 1 << 20;

// The heap memory the bank's path strings hold (capacities beyond the inline buffer).
std::size_t PathMemory(const as_bank& bank) {
    const std::size_t inlineCapacity = std::string().capacity();
    std::size_t held = 0;
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (const std::string& p : bank.paths(m))
            if (p.capacity() > inlineCapacity) held += p.capacity();
    return held;
}

// A script without paths whose first megabyte of path area lost its CR LF: the first path is
// one line of a megabyte. With a damaged last sector it is refused after the paths were read.
std::filesystem::path DamagedScript(const TempDir& dir, bool lastSectorToo) {
    auto file = dir / (lastSectorToo ? "refused.ovs" : "loaded.ovs");
    as_bank bank;
    ScriptedJobServices ui;
    EXPECT_TRUE(WriteScript(bank, file, ui));
    Patch(file, kPathArea, std::vector<std::uint8_t>(kLongLine, 'x'));
    if (lastSectorToo) Patch(file, std::filesystem::file_size(file) - 512, {0});
    return file;
}

} // namespace

TEST(LoaderRegression, ResetGivesBackTheMemoryOfLongPaths) {
    TempDir dir;
    as_bank bank;

    ScriptedJobServices loaded;
    loaded.fallback = Answer::Ok; // the stored path area size was never calculated
    ASSERT_TRUE(LoadScript(bank, DamagedScript(dir, false), loaded));
    ASSERT_GT(bank.path(0, 0).size(), kLongLine);
    bank.reset();
    EXPECT_LT(PathMemory(bank), kLongLine) << "reset kept the long path's buffer";

    // The loader's own reset after a refusal, on a bank that was reset beforehand.
    ScriptedJobServices refused;
    refused.fallback = Answer::Ok;
    EXPECT_FALSE(LoadScript(bank, DamagedScript(dir, true), refused));
    EXPECT_TRUE(refused.showed("Info", "Script loading is aborted!"));
    EXPECT_EQ(bank.path(0, 0), "- - -");
    EXPECT_LT(PathMemory(bank), kLongLine) << "a refused load left the long path's buffer";
}
