#include "bank/UndoStack.h"
#include "support/BankNames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace ovb {
using test::SetName;
namespace {

constexpr std::size_t kBlock = sizeof(as_bank_records);

// Everything of a bank in memory, kept to compare with later, reserved blocks included.
struct BankCopy {
    std::vector<std::uint8_t> block;
    std::vector<SamplePathList> paths;
    std::string loadedFile, owner;
};

BankCopy CopyOf(const as_bank& bank, const std::string& owner) {
    const auto* block = reinterpret_cast<const std::uint8_t*>(&bank.records());
    BankCopy copy{{block, block + kBlock}, {}, bank.loadedFile(), owner};
    for (unsigned m = 0; m < kMultisamples; ++m)
        copy.paths.push_back(bank.paths(m));
    return copy;
}

void ExpectState(const as_bank& bank, const std::string& owner, const BankCopy& copy) {
    const auto* now = reinterpret_cast<const std::uint8_t*>(&bank.records());
    const auto* mismatch = std::mismatch(now, now + kBlock, copy.block.data()).first;
    EXPECT_EQ(mismatch, now + kBlock) << "first different byte at " << (mismatch - now);
    for (unsigned m = 0; m < kMultisamples; ++m)
        ASSERT_EQ(bank.paths(m), copy.paths[m]) << "multisample " << m;
    EXPECT_EQ(bank.loadedFile(), copy.loadedFile);
    EXPECT_EQ(owner, copy.owner);
}

class UndoStackTest : public ::testing::Test {
  protected:
    as_bank bank;
    std::string owner = "No loaded bank!";
};

// Steps undo in reverse order and redo again, restoring every byte and text. The first step
// changes both ends of the block, bytes across a page boundary, paths and both texts.
TEST_F(UndoStackTest, StepsUndoInReverseOrderRestoringEveryByteAndANewStepDropsRedo) {
    UndoStack stack(bank, owner);
    std::vector<BankCopy> states;
    states.push_back(CopyOf(bank, owner));
    auto* block = reinterpret_cast<std::uint8_t*>(&bank.records());
    block[0] ^= 0xFF;
    block[kBlock - 1] ^= 0x01;
    for (std::size_t at = 4090; at < 4100; ++at)
        block[at] = std::uint8_t(at);
    bank.path(9999, 63) = "D:\\Lib\\Last.wav";
    bank.path(0, 0) = std::string(300, 'x');
    bank.setLoadedFile("D:\\Banks\\One.OVS");
    owner = "D:\\Banks\\One.OVS";
    for (unsigned i = 0; i < 3; ++i) {
        SetName(bank.sound(i).name, "Piano");
        bank.sound(i + 1).zone[3].set_multisample(i + 7);
        bank.path(i, i + 1) = "C:\\s" + std::to_string(i) + ".wav";
        ASSERT_TRUE(stack.Commit(bank, owner, "Step " + std::to_string(i)));
        states.push_back(CopyOf(bank, owner));
    }
    for (int i = 2; i >= 0; --i) {
        EXPECT_EQ(stack.UndoName(), "Step " + std::to_string(i));
        ASSERT_TRUE(stack.Undo(bank, owner));
        ExpectState(bank, owner, states[std::size_t(i)]);
    }
    EXPECT_FALSE(stack.CanUndo());
    EXPECT_FALSE(stack.Undo(bank, owner));
    for (unsigned i = 1; i <= 3; ++i) {
        EXPECT_EQ(stack.RedoName(), "Step " + std::to_string(i - 1));
        ASSERT_TRUE(stack.Redo(bank, owner));
        ExpectState(bank, owner, states[i]);
    }
    // Twice round: the steps keep working after swapping their contents.
    ASSERT_TRUE(stack.Undo(bank, owner) && stack.Undo(bank, owner) && stack.Undo(bank, owner));

    bank.scene(5).solo = 9;
    ASSERT_TRUE(stack.Commit(bank, owner, "Other"));
    EXPECT_FALSE(stack.CanRedo());
    EXPECT_EQ(stack.StepCount(), 1u);
    ASSERT_TRUE(stack.Undo(bank, owner));
    ExpectState(bank, owner, states[0]);
}

// What remains uncommitted stays to be committed later: undoing an earlier step restores only
// what that step changed. (A size calculation's placements, taken without a step, are checked
// the same way through the main window's commands.)
TEST_F(UndoStackTest, UndoRestoresOnlyItsStepKeepingUncommittedChanges) {
    UndoStack stack(bank, owner);
    EXPECT_FALSE(stack.Commit(bank, owner, "Nothing"));
    SetName(bank.multisample(3).name, "Strings");
    ASSERT_TRUE(stack.Commit(bank, owner, "Rename"));
    bank.fbass(2).sound2 = 22;

    ASSERT_TRUE(stack.Undo(bank, owner));
    EXPECT_EQ(NameText(bank.multisample(3).name), NameText(NewMultisample().name));
    EXPECT_EQ(bank.fbass(2).sound2, 22);
    ASSERT_TRUE(stack.Commit(bank, owner, ""));
    EXPECT_EQ(stack.UndoName(), "Edit F.bass");
}

TEST_F(UndoStackTest, OldestStepsGoWhenTheMemoryLimitIsReached) {
    UndoStack stack(bank, owner, 64 * 1024);
    auto bigStep = [&](std::uint8_t value) {
        std::memset(bank.records().reserved_c, value, 20000);
        return stack.Commit(bank, owner, "Fill " + std::to_string(value));
    };
    ASSERT_TRUE(bigStep(1) && bigStep(2));
    EXPECT_EQ(stack.StepCount(), 2u);
    ASSERT_TRUE(bigStep(3) && bigStep(4));
    EXPECT_LE(stack.Memory(), stack.MemoryLimit());
    EXPECT_LT(stack.StepCount(), 4u);
    EXPECT_EQ(stack.UndoName(), "Fill 4");

    // A step larger than the whole limit is still kept, alone.
    std::memset(bank.records().reserved_c, 5, 100000);
    ASSERT_TRUE(stack.Commit(bank, owner, "Huge"));
    EXPECT_EQ(stack.StepCount(), 1u);
    ASSERT_TRUE(stack.Undo(bank, owner));
    EXPECT_EQ(bank.records().reserved_c[0], 4);
    EXPECT_EQ(bank.records().reserved_c[99999], 0);
}

TEST_F(UndoStackTest, StepsWithoutACommandAreNamedAfterWhatChanged) {
    UndoStack stack(bank, owner);
    auto name = [&] {
        EXPECT_TRUE(stack.Commit(bank, owner, ""));
        return stack.UndoName();
    };
    SetName(bank.sound(5).name, "Flute");
    SetName(bank.sound(900).name, "Reed");
    EXPECT_EQ(name(), "Edit sound names");
    bank.sound(5).zone[0].volume = 3;
    EXPECT_EQ(name(), "Edit sound");
    bank.path(12, 5) = "E:\\a.wav";
    EXPECT_EQ(name(), "Edit sample paths");
    bank.path(13, 5) = "E:\\b.wav";
    bank.multisample(13).sample[5].set_stereo(true);
    EXPECT_EQ(name(), "Edit multisample");
    bank.sound(1).category = 1;
    bank.solo(1).sound1 = 1;
    EXPECT_EQ(name(), "Edit bank");
    owner = "X.OVB";
    EXPECT_EQ(name(), "Change file name");
    bank.setLoadedFile("D:\\Banks\\Two.OVS");
    EXPECT_EQ(name(), "Open Two.OVS");
    bank.reset();
    EXPECT_EQ(name(), "Clear bank");
}

} // namespace
} // namespace ovb
