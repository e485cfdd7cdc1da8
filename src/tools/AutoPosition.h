#pragma once
// Places many WAV files on the 64 note slots of a multisample at once, by finding a note's
// search key in each file name. Slot p stands for MIDI note p + 36, moved by the chosen
// transpose.
#include "bank/Acc_bank_structure.h"
#include "tools/Note_names.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

struct AutoPositionResult {
    struct FileInSlots {
        std::string file;
        std::vector<unsigned> slots; // ascending
    };
    struct SlotOfFiles {
        unsigned slot = 0;
        std::string key;                // what the slot looked for
        std::vector<std::string> files; // in the given order; the last one holds the slot
    };

    SamplePathList paths;  // slots nothing matched keep the path they had
    unsigned added = 0;    // every match, so a file or a slot may count more than once
    unsigned selected = 0; // files offered
    std::vector<FileInSlots> filesInSeveralSlots;   // in the given order
    std::vector<SlotOfFiles> slotsWithSeveralFiles; // ascending by slot
};

// The note slot p looks for: p + 36 + transpose, taken modulo 256. A slot whose note would fall
// below 0 looks for nothing, rather than for a note of octave 20 that no library names.
std::optional<unsigned> SlotNote(unsigned slot, int transpose);

// The file-name part of a path: the text after its last '\' or '/'.
std::string_view FileNamePart(std::string_view path);

// For every slot, every file whose name contains the slot's key takes the slot in turn, so the
// last match in the given order stays. transpose is one of kAutoTransposes: the callers that
// take it from the user check it with IsAutoTranspose.
AutoPositionResult AutoPositionSlots(const SamplePathList& current,
                                     std::span<const std::string> files, NoteScheme scheme,
                                     int transpose);

// "Added %u from %u files."
std::string AddedText(const AutoPositionResult& result);

// The lines of a report on files that took several slots and slots that several files matched;
// empty when each file went to at most one slot and each slot got at most one file.
std::vector<std::string> AutoPositionReport(const AutoPositionResult& result);

} // namespace ovb
