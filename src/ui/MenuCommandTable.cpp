// The captions, shortcuts and places of every menu command, in menu order.
#include "ui/MenuCommands.h"

#include <array>
#include <cassert>

namespace ovb {

namespace {

using namespace entry;
using C = Command;
using M = Menu;

constexpr MenuEntry Item(Menu in, Command command, const char* caption, unsigned flags = 0,
                         const char* shortcut = "", const char* tip = "") {
    return MenuEntry{in, command, Menu::None, caption, shortcut, tip, flags};
}

constexpr MenuEntry Sub(Menu in, Menu opens, const char* caption, unsigned flags = 0) {
    return MenuEntry{in, Command::None, opens, caption, "", "", flags};
}

constexpr unsigned Sep = SeparatorBefore;

constexpr MenuEntry kEntries[] = {
    Sub(M::Bar, M::File, "&File"),
    Item(M::File, C::ClearAll, "Clear ALL..."),
    Item(M::File, C::OpenScript, "Open Orvelanta Sampler Script File...", Sep, "Ctrl+O"),
    Item(M::File, C::SaveScript, "Save Orvelanta Sampler Script File...", FilesOnly, "Ctrl+S"),
    Item(M::File, C::OpenBank, "Open Orvelanta Sampler Bank File...", Sep, "Ctrl+Shift+O"),
    Item(M::File, C::SaveBank, "Save Orvelanta Sampler Bank File - (split to 4GB toms)...",
         FilesOnly, "Ctrl+Shift+S"),
    Item(M::File, C::ExportText, "Export All Bank Content to Text File...", Sep | FilesOnly),
    Item(M::File, C::ExportSamples, "Export All Samples From Loaded Bank File...", FilesOnly),
    Item(M::File, C::Exit, "Exit", Sep, "Ctrl+Q"),

    Sub(M::Bar, M::Edit, "&Edit"),
    Item(M::Edit, C::Undo, "Undo", 0, "Ctrl+Z"),
    Item(M::Edit, C::Redo, "Redo", 0, "Ctrl+Y; Ctrl+Shift+Z"),
    Item(M::Edit, C::CalculateSize, "Calculate bank SIZE", Sep | FilesOnly),

    Sub(M::Bar, M::View, "&View"),
    Item(M::View, C::ShowNoteNumber, "Show Note Number", Checkable),
    Item(M::View, C::NextPage, "Next Page", Sep, "Ctrl+Tab; Ctrl+PgDown",
         "Shows the next page of the window"),
    Item(M::View, C::PreviousPage, "Previous Page", 0, "Ctrl+Shift+Tab; Ctrl+PgUp",
         "Shows the previous page of the window"),

    Sub(M::Bar, M::Tools, "&Tools"),
    Sub(M::Tools, M::Checks, "Check / Auto-Fix invalid conditions"),
    Item(M::Checks, C::CheckUnusedMultisamples, "Check For UNUSED Multisamples..."),
    Item(M::Checks, C::RemoveUnusedMultisamples, "Remove UNUSED Multisamples..."),
    Item(M::Checks, C::CheckNonLatinChars, "Check For Not Latin Chars In File Path And Names"),
    Item(M::Checks, C::CheckDoubledDelimiters, "Check for doubled char \"\\\\\" in file path"),
    Item(M::Checks, C::CheckMultisampleNames, "Check Multisample Names For Invalid Chars"),
    Item(M::Checks, C::CheckDuplicatedSamples, "Check for duplicated samples..."),
    Item(M::Checks, C::CheckFirstSampleLevel,
         "Check all WAV files for first sample with level whu will triger Windows Auto Fade In "
         "Function"),
    Item(M::Checks, C::ReportLoops, "Report all samples with active or not default LOOPs"),
    Item(M::Checks, C::FixStereoGroups, "Check and auto fix sounds STEREO GROUP assignment...",
         Sep),
    Item(M::Checks, C::CheckSoundsWithoutGroup, "Check for SOUNDS, not assigned to any group"),
    Item(M::Checks, C::CheckEqualGroups,
         "Check for SOUNDS, assigned to GROUPS - ABSOLUTLY EQUAL to current sound"),
    Item(M::Checks, C::CheckCommonGroups,
         "Check for SOUNDS, assigned to GROUPS - COMMON with current sound"),
    Item(M::Checks, C::CheckFreeSounds, "Check for FREE sounds, not used in any preset",
         Sep | NoAction),
    Item(M::Checks, C::CheckDuplicatedSounds, "Check for duplicated SOUNDS", 0, "",
         "Lists the sounds in use that play exactly what another sound plays"),
    Item(M::Checks, C::FixDuplicatedSounds, "Automatic Fix Duplicated Sounds...", NoAction),
    Item(M::Checks, C::ReorganizeSounds,
         "Reorganize all SOUNDS, remove Empty position and update PRESETS...", NoAction),

    Sub(M::Tools, M::StartSilence,
        "Remove silence from START of WAV files included in multisamples", Sep),
    Item(M::StartSilence, C::CheckStartSilence,
         "Check Start of WAV files for silence and report result"),
    Item(M::StartSilence, C::TrimStart0, "+/-   0  samples  /  -90.0dB...", Sep),
    Item(M::StartSilence, C::TrimStart3, "+/-   3  samples  /  -80.0dB..."),
    Item(M::StartSilence, C::TrimStart10, "+/-  10  samples  /  -70.3dB..."),
    Sub(M::Tools, M::EndSilence, "Remove silence from END of WAV files included in multisamples"),
    Item(M::EndSilence, C::FadeOutAfterTrim, "Apply 2ms Fade Out AFTER point of removing silence",
         Checkable),
    Item(M::EndSilence, C::CheckEndSilence, "Check end of WAV files for silence and report rezult"),
    Item(M::EndSilence, C::TrimEnd0, "+/-   0 samples  /  -90.0dB...", Sep),
    Item(M::EndSilence, C::TrimEnd10, "+/- 10 samples  /  -70.3dB..."),
    Item(M::EndSilence, C::TrimEnd20, "+/- 20 samples  /  -64.3dB..."),
    Item(M::EndSilence, C::TrimEnd30, "+/- 30 samples  /  -60.8dB..."),
    Item(M::EndSilence, C::TrimEnd40, "+/- 40 samples  /  -58.3dB..."),
    Item(M::EndSilence, C::TrimEnd50, "+/- 50 samples  /  -56.3dB..."),
    Item(M::EndSilence, C::TrimEnd60, "+/- 60 samples  /  -54.7dB..."),
    Item(M::EndSilence, C::TrimEnd70, "+/- 70 samples  /  -53.4dB..."),
    Item(M::EndSilence, C::TrimEnd80, "+/- 80 samples  /  -52.2dB..."),
    Item(M::EndSilence, C::TrimEnd90, "+/- 90 samples  /  -51.2dB..."),
    Item(M::EndSilence, C::TrimEnd100, "+/- 100 samples  /  -50.3dB..."),
    Item(M::Tools, C::RemoveFixedSamples, "Remove FIXED number of samples from START of WAV files"),
    Item(M::Tools, C::ConformWavFiles, "Conform WAV files to 48 kHz / 16-bit...", 0, "",
         "Converts the bank's sample files to the 48 kHz / 16-bit form the module plays"),
    Item(M::Tools, C::ExtractCommonPath, "Extract library common path", Sep),
    Item(M::Tools, C::SaveMultisampleNames,
         "Save ALL Used Multisamples Names To Multisamples Folders", NoAction),
    Item(M::Tools, C::ReformToBank, "Reform loaded script file to bank file"),
    Item(M::Tools, C::CheckMissingFiles, "Check all WAV files for existing"),
    Item(M::Tools, C::LocateMissingSamples, "Locate Missing Samples...", 0, "",
         "Finds moved sample files below a folder and points the bank's paths at them"),
    Sub(M::Tools, M::Over64, "Check for multisamples, with more of 64 assigned notes/samples"),
    Item(M::Over64, C::Over64ByOffset, "By sample start offset (bank need to be calculated)",
         NoAction),
    Item(M::Over64, C::Over64ByPath, "By sample file path string", NoAction),
    Sub(M::Tools, M::External, "Procedure to EXTERNAL files", Sep),
    Item(M::External, C::UpdateFactoryReset,
         "Update Factory Reset Part of EXTERNAL OVB Bank File..."),
    Item(M::External, C::FindLoudestExternal,
         "Analize and find loudest audio level in EXTERNAL group of WAV files..."),
    Item(M::External, C::NormalizeExternal,
         "Normalize EXTERNAL group of WAV files to -0.5dB audio level..."),
    Sub(M::Tools, M::System, "System Tools"),
    Item(M::System, C::InitUnusedSounds,
         "Init All Unused Sounds (Unused is sound with name \"- - -\")"),
    Item(M::Tools, C::ImportSampler2, "Import Sampler 2 Sounds...", Sep),

    Sub(M::Bar, M::Assistants, "&Assistants"),
    Item(M::Assistants, C::OpenSearch, "Open Search Assistant..."),
    Item(M::Assistants, C::OpenCombinator, "Open Bank Combinator Assistant..."),
    Item(M::Assistants, C::OpenSdCard, "Open SD Card Write Assistant..."),

    Sub(M::Bar, M::Settings, "&Settings"),
    Item(M::Settings, C::PlayFromWavFiles, "Play/View Audio From WAV Files", Checkable),
    Item(M::Settings, C::PlayFromBankFile, "Play/View Audio From Bank File", Checkable | Checked),
    Item(M::Settings, C::SilenceFirstSample, "Play first sample with level 0",
         Sep | Checkable | Checked),
    Sub(M::Settings, M::AudioDevice, "Audio Output Device", Sep),
    Item(M::AudioDevice, C::DefaultOutputDevice, "DEFAULT WAVE OUT DEVICE", Checkable | Checked),
    Item(M::Settings, C::SampleDrives, "Sample Drives and Code Page...", Sep, "",
         "Where the drives of the bank's sample paths lie on this computer"),

    Item(M::SoundGrid, C::RemoveSound, "Remove Selected Sound...", WidgetShortcut, "Del"),
    Item(M::SoundGrid, C::RemoveMultipleSounds, "Remove Multiple Sounds..."),
    Item(M::SoundGrid, C::WhereIsSoundUsed, "Where is used this sound?"),
    Item(M::SoundGrid, C::SoundSize, "What is size of this sound?"),

    Item(M::MultisampleGrid, C::RemoveMultisample, "Remove Selected Multisample..."),
    Item(M::MultisampleGrid, C::RemoveMultipleMultisamples, "Remove Multiple Multisamples..."),
    Item(M::MultisampleGrid, C::ExportMultisample, "Export Selected Multisample WAV Files..."),
    Item(M::MultisampleGrid, C::WhereIsMultisampleUsed, "Where is used this multisample ?"),
    Item(M::MultisampleGrid, C::MultisampleSize, "What is size of this multisample ?"),
    Item(M::MultisampleGrid, C::FindLoudestInMultisample,
         "Find loudest WAV file in this multisample"),
    Item(M::MultisampleGrid, C::NormalizeMultisample,
         "Normalize WAV files of multisample to -0.5dB..."),

    Item(M::SampleGrid, C::RemoveSlotFiles, "Remove selected file/s"),
    Item(M::SampleGrid, C::AddOneFile, "Add ONE WAV file to selected position..."),
    Item(M::SampleGrid, C::AddMultipleFiles,
         "Add MULTIPLE WAV files - to AUTO position by NAME..."),
    Sub(M::SampleGrid, M::AutoCriteria, "Select AUTO position criteria..."),
    Item(M::AutoCriteria, C::CriterionNumber, "Note NUMBER from 036 to 099 (\" XXX\")",
         Checkable | Checked),
    Item(M::AutoCriteria, C::CriterionNameWithBlank, "Note NAME from C 0 to G10 (C#4),(D 3),(E 10)",
         Checkable),
    Item(M::AutoCriteria, C::CriterionNameCompact, "Note NAME from C0 to G10 (C#4),(D3),(E10)",
         Checkable),
    Item(M::AutoCriteria, C::CriterionNameLowerCase,
         "Note NAME from c0 to g10 (c#4),(d3),(e10) - b for Si", Checkable),
    Sub(M::SampleGrid, M::AutoTranspose, "Select AUTO import TRANSPOSE options"),
    Item(M::SampleGrid, C::ReplaceInPaths, "Replace text in file path..."),
    Sub(M::SampleGrid, M::SlotMoves, "Transpose Assigned File Position"),
    Item(M::SlotMoves, C::MoveOctaveUp, "Move assigned files 1 Octave Up..."),
    Item(M::SlotMoves, C::MoveOctaveDown, "Move assigned files 1 Octave Down..."),
    Item(M::SlotMoves, C::MovePositionUp, "Move assigned files 1 Position Up..."),
    Item(M::SlotMoves, C::MovePositionDown, "Move assigned files 1 Position Down..."),
    Item(M::SampleGrid, C::OpenFileLocation, "Open WAV File Location In Windows Explorer..."),

    Item(M::ManagerGrid, C::ClearManager, "Clear Sound Manager"),
    Item(M::ManagerGrid, C::LoadManagerScript,
         "Load Orvelanta Sampler SCRIPT File in Sound Manager..."),
    Item(M::ManagerGrid, C::LoadManagerBank,
         "Load Orvelanta Sampler BANK File in Sound Manager..."),
};

// Row of each command, found once.
struct RowIndex {
    std::array<const MenuEntry*, std::size_t(Command::Count)> rows{};
    constexpr RowIndex() {
        for (const MenuEntry& row : kEntries)
            if (row.command != Command::None) rows[std::size_t(row.command)] = &row;
    }
};

constexpr RowIndex kRows;

constexpr bool EveryCommandHasOneRow() {
    std::array<int, std::size_t(Command::Count)> seen{};
    for (const MenuEntry& row : kEntries)
        if (row.command != Command::None) ++seen[std::size_t(row.command)];
    for (std::size_t c = 1; c < seen.size(); ++c)
        if (seen[c] != 1) return false;
    return true;
}
static_assert(EveryCommandHasOneRow(), "each command needs exactly one row in the menu table");

} // namespace

std::span<const MenuEntry> MenuEntries() {
    return kEntries;
}

const MenuEntry& EntryOf(Command command) {
    const MenuEntry* row = kRows.rows[std::size_t(command)];
    assert(row);
    return *row;
}

} // namespace ovb
