// Files replaced a batch at a time: nothing is in place before the flush, everything good is in
// place after it, a failed file leaves its target alone, and the outcomes come in order.
#include "job/ReplacingBatch.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<ReplacingFile> Written(const fs::path& target, const std::string& text) {
    auto file = std::make_unique<ReplacingFile>(target);
    file->write(text.data(), text.size());
    return file;
}

std::size_t Entries(const fs::path& folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(ReplacingBatch, TargetsChangeOnlyAtTheFlushAndFailuresKeepTheirTarget) {
    TempDir dir;
    std::ofstream(dir / "a") << "old a";
    std::ofstream(dir / "c") << "old c";
    const fs::path unwritable = dir / "n"; // a folder: not a file to replace
    fs::create_directory(unwritable);
    // A name that leaves no room for the temporary endings is still a name that can be written.
    const fs::path longName = dir / (std::string(254, 'l') + "x");
    std::vector<std::string> outcomes;
    auto note = [&outcomes](const std::string& name) {
        return [&outcomes, name](const std::string& error) {
            outcomes.push_back(name + (error.empty() ? " ok" : " failed: " + error));
        };
    };

    ReplacingBatch batch(10);
    batch.add(Written(dir / "a", "new a"), note("a"));
    batch.add(Written(unwritable, "never"), note("n"));
    batch.add(Written(dir / "c", "new c"), note("c"));
    batch.add(Written(longName, "long"), note("l"));
    EXPECT_TRUE(batch.waiting(dir / "a"));
    EXPECT_TRUE(batch.waiting(dir / "." / "c")) << "the same file by another spelling";
    EXPECT_FALSE(batch.waiting(dir / "b"));
    EXPECT_TRUE(outcomes.empty());
    EXPECT_EQ(FileText(dir / "a"), "old a");
    EXPECT_EQ(FileText(dir / "c"), "old c");

    batch.flush();
    EXPECT_EQ(outcomes,
              (std::vector<std::string>{"a ok", "n failed: not a regular file", "c ok", "l ok"}));
    EXPECT_EQ(FileText(dir / "a"), "new a");
    EXPECT_EQ(FileText(dir / "c"), "new c");
    EXPECT_EQ(FileText(longName), "long");
    EXPECT_TRUE(fs::is_directory(unwritable));
    EXPECT_FALSE(batch.waiting(dir / "a"));
    EXPECT_EQ(Entries(dir.path()), 4u) << "no temporary file is left";
}

TEST(ReplacingBatch, FlushesByItselfWhenFullAndAtItsEnd) {
    TempDir dir;
    int done = 0;
    auto count = [&done](const std::string& error) { done += error.empty() ? 1 : 100; };
    {
        ReplacingBatch batch(2);
        batch.add(Written(dir / "1", "one"), count);
        EXPECT_EQ(done, 0);
        batch.add(Written(dir / "2", "two"), count);
        EXPECT_EQ(done, 2) << "two files fill the batch";
        batch.add(Written(dir / "3", "three"), count);
        EXPECT_FALSE(fs::exists(dir / "3"));
    }
    EXPECT_EQ(done, 3);
    EXPECT_EQ(FileText(dir / "3"), "three");

    ReplacingBatch bySize(100, 8);
    bySize.add(Written(dir / "big", "more than eight bytes"), count);
    EXPECT_EQ(done, 4);
    EXPECT_EQ(Entries(dir.path()), 4u);
}

// Long runs of zeros are left as holes wherever they fall, also between and after pieces the
// kernel copies; the file reads back exactly as written and has its full length.
TEST(ReplacingFile, ZeroRunsBecomeHolesAndTheFileReadsTheSame) {
    TempDir dir;
    const std::vector<std::uint8_t> source = PatternBytes(300000, 1);
    WriteAll(dir / "source", source);
    const auto from = FileSource::Open(dir / "source");
    ASSERT_TRUE(from);
    const std::vector<std::uint8_t> zeros(3u << 20);
    std::vector<std::uint8_t> expected;
    ReplacingFile file(dir / "out");
    auto write = [&](std::size_t at, std::size_t size, bool zero) {
        const auto* bytes = zero ? zeros.data() : source.data() + at;
        ASSERT_TRUE(file.write(bytes, size));
        expected.insert(expected.end(), bytes, bytes + size);
    };
    write(0, 1001, false);
    write(0, 2u << 20, true);
    ASSERT_TRUE(file.copyFrom(*from, 7, 200000));
    expected.insert(expected.end(), source.begin() + 7, source.begin() + 200007);
    write(0, 3, true);
    write(5, 70000, false);
    write(0, 700001, true);
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(ReadAll(dir / "out"), expected);
    struct stat st {};
    ASSERT_EQ(stat((dir / "out").c_str(), &st), 0);
    EXPECT_LT(std::uint64_t(st.st_blocks) * 512, expected.size() - (2u << 20))
        << "the zeros take no room on the disk";
}
