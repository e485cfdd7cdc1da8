#pragma once
// Undo and redo of every change to a bank in memory, without any command carrying undo code of
// its own. The stack keeps a copy of the bank as it was last committed; a commit compares the
// bank with that copy and keeps, as one step, only the bytes, path lists and file names that
// changed. A step stores one version of what it changed (the other one is in the bank), so undo
// and redo swap the stored bytes with the bank's.
#include "bank/Acc_bank_structure.h"
#include "base/LargeBlock.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

// What a step touched, used to name steps that no command named.
struct UndoChangeSummary {
    unsigned tables = 0;     // bit (1 << Table) for every table with a changed record
    unsigned records = 0;    // changed records over all tables
    bool namesOnly = true;   // every changed record byte lies in the record's name
    bool otherBytes = false; // bytes outside the tables (header, info, placement tables, ...)
    unsigned pathLists = 0;  // multisamples whose path list changed
    bool loadedFile = false; // the bank's own file name changed
    bool ownerText = false;  // the text the caller keeps beside the bank changed
};

struct UndoStep {
    struct Range {
        std::size_t offset; // in the record block
        std::size_t length;
        std::size_t data; // where its bytes start in `bytes`
    };
    // A multisample's 64 paths packed into one text (each a 32-bit length and its bytes), kept
    // in one block per step: a bulk path tool changes all 640000 paths, and one large block
    // costs far less to fill than 640000 strings.
    struct Paths {
        unsigned multisample;
        std::size_t offset, length; // in pathBytes
    };
    std::string name;
    std::vector<Range> ranges;
    // The other version of every range, one after another.
    std::vector<std::uint8_t, LargeBlockAllocator<std::uint8_t>> bytes;
    std::vector<Paths> paths;
    std::vector<char, LargeBlockAllocator<char>> pathBytes;
    std::string loadedFile; // the other version of the texts
    std::string ownerText;
    UndoChangeSummary summary;
    std::size_t memory = 0;
};

class UndoStack {
  public:
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t(256) << 20;

    // Takes the bank as it is now as the committed state. ownerText: a text the caller keeps
    // beside the bank and wants restored with it (the main window's current file name).
    explicit UndoStack(const as_bank& bank, std::string_view ownerText = {},
                       std::size_t memoryLimit = kDefaultMemoryLimit);
    ~UndoStack();
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    // When the bank or the owner text differ from the committed state, pushes one step named
    // `name` (an empty name is made from what changed: "Edit sound name", "Open BANK.OVS"), drops
    // the steps that could be redone and the oldest steps beyond the memory limit, and returns
    // true.
    bool Commit(const as_bank& bank, std::string_view ownerText, std::string name);
    // Takes the present state as committed without a step: changes that only record what was
    // written to a file (sample placements of a size calculation) are not the user's edits.
    void Absorb(const as_bank& bank, std::string_view ownerText);

    // Undo and redo restore the committed state before or after a step. Changes not committed
    // yet must be committed first; those within the step's ranges are lost. False when there is
    // nothing to undo or redo.
    bool Undo(as_bank& bank, std::string& ownerText);
    bool Redo(as_bank& bank, std::string& ownerText);

    bool CanUndo() const { return applied_ > 0; }
    bool CanRedo() const { return applied_ < steps_.size(); }
    // Names of the step undo or redo would restore; empty when there is none.
    std::string UndoName() const;
    std::string RedoName() const;
    std::size_t StepCount() const { return steps_.size(); }
    std::size_t Memory() const { return memory_; }
    std::size_t MemoryLimit() const { return limit_; }

  private:
    bool Diff(const as_bank& bank, std::string_view ownerText, UndoStep& step);
    void DiffRecords(const as_bank& bank, UndoStep& step);
    void DiffPaths(const as_bank& bank, UndoStep& step);
    void Swap(UndoStep& step, as_bank& bank, std::string& ownerText);
    void SwapPaths(UndoStep& step, as_bank& bank);
    void Push(UndoStep step);

    std::size_t limit_;
    struct FreeBlock {
        void operator()(std::uint8_t* p) const;
    };
    std::unique_ptr<std::uint8_t[], FreeBlock> records_; // the committed record block
    std::vector<std::string> paths_;                     // the committed path lists, packed
    std::string loadedFile_;
    std::string ownerText_;
    std::deque<UndoStep> steps_;
    std::size_t applied_ = 0; // steps_[0, applied_) can be undone, the rest redone
    std::size_t memory_ = 0;
};

} // namespace ovb
