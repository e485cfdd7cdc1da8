#pragma once
// Every menu command of the window program, main menu and pop-up menus alike, in one table: its
// id, the menu it sits in, its caption, shortcut and status tip. The menus are built from the
// table, the work behind a command is attached by id, and tests reach commands by id, so a caption
// is written once and nothing is ever looked up by its text.
//
// To add a command: give it an id below, a row in MenuCommandTable.cpp at the place where the menu
// shows it, and attach its work with Activate (CommandWiring.h).
#include <cstdint>
#include <span>

namespace ovb {

enum class Command : std::uint8_t {
    None,
    // File
    ClearAll,
    OpenScript,
    SaveScript,
    OpenBank,
    SaveBank,
    ExportText,
    ExportSamples,
    Exit,
    // Edit
    Undo,
    Redo,
    CalculateSize,
    // View
    ShowNoteNumber,
    NextPage,
    PreviousPage,
    // Tools > Check / Auto-Fix invalid conditions
    CheckUnusedMultisamples,
    RemoveUnusedMultisamples,
    CheckNonLatinChars,
    CheckDoubledDelimiters,
    CheckMultisampleNames,
    CheckDuplicatedSamples,
    CheckFirstSampleLevel,
    ReportLoops,
    FixStereoGroups,
    CheckSoundsWithoutGroup,
    CheckEqualGroups,
    CheckCommonGroups,
    CheckFreeSounds,
    CheckDuplicatedSounds,
    FixDuplicatedSounds,
    ReorganizeSounds,
    // Tools > silence
    CheckStartSilence,
    TrimStart0,
    TrimStart3,
    TrimStart10,
    FadeOutAfterTrim,
    CheckEndSilence,
    TrimEnd0,
    TrimEnd10,
    TrimEnd20,
    TrimEnd30,
    TrimEnd40,
    TrimEnd50,
    TrimEnd60,
    TrimEnd70,
    TrimEnd80,
    TrimEnd90,
    TrimEnd100,
    RemoveFixedSamples,
    ConformWavFiles,
    // Tools
    ExtractCommonPath,
    SaveMultisampleNames,
    ReformToBank,
    CheckMissingFiles,
    LocateMissingSamples,
    Over64ByOffset,
    Over64ByPath,
    UpdateFactoryReset,
    FindLoudestExternal,
    NormalizeExternal,
    InitUnusedSounds,
    ImportSampler2,
    // Assistants
    OpenSearch,
    OpenCombinator,
    OpenSdCard,
    // Settings
    PlayFromWavFiles,
    PlayFromBankFile,
    SilenceFirstSample,
    DefaultOutputDevice,
    SampleDrives,
    // Sounds grid pop-up menu
    RemoveSound,
    RemoveMultipleSounds,
    WhereIsSoundUsed,
    SoundSize,
    // Multisample grid pop-up menu
    RemoveMultisample,
    RemoveMultipleMultisamples,
    ExportMultisample,
    WhereIsMultisampleUsed,
    MultisampleSize,
    FindLoudestInMultisample,
    NormalizeMultisample,
    // Sample-file grid pop-up menu
    RemoveSlotFiles,
    AddOneFile,
    AddMultipleFiles,
    CriterionNumber,
    CriterionNameWithBlank,
    CriterionNameCompact,
    CriterionNameLowerCase,
    ReplaceInPaths,
    MoveOctaveUp,
    MoveOctaveDown,
    MovePositionUp,
    MovePositionDown,
    OpenFileLocation,
    // Sound manager pop-up menu
    ClearManager,
    LoadManagerScript,
    LoadManagerBank,
    Count
};

// The menus, top-level and nested, and the pop-up menus of the pages.
enum class Menu : std::uint8_t {
    None,
    Bar, // the main window's menu bar
    File,
    Edit,
    View,
    Tools,
    Checks,
    StartSilence,
    EndSilence,
    Over64,
    External,
    System,
    Assistants,
    Settings,
    AudioDevice,
    SoundGrid,
    MultisampleGrid,
    SampleGrid,
    AutoCriteria,
    AutoTranspose,
    SlotMoves,
    ManagerGrid,
    Count
};

// How a command behaves until something attaches its work.
namespace entry {
inline constexpr unsigned SeparatorBefore = 1u << 0;
inline constexpr unsigned Checkable = 1u << 1; // a setting: enabled from the start
inline constexpr unsigned Checked = 1u << 2;
inline constexpr unsigned Later = 1u << 3;     // work of a later version: disabled
inline constexpr unsigned NoAction = 1u << 4;  // defined to do nothing: disabled
inline constexpr unsigned FilesOnly = 1u << 5; // changes the bank only to record a file it wrote
inline constexpr unsigned WidgetShortcut = 1u << 6; // the shortcut works only in its widget
} // namespace entry

// One row: a command, or a submenu (command None) that opens `submenu`.
struct MenuEntry {
    Menu in;
    Command command;
    Menu submenu;
    const char* caption;
    const char* shortcut; // QKeySequence text, several separated by "; "
    const char* statusTip;
    unsigned flags;

    bool has(unsigned flag) const { return (flags & flag) != 0; }
};

inline constexpr const char* kNotYetAvailable = "Not available in this version yet";
inline constexpr const char* kNoActionInThisVersion = "This command has no action in this version";

// The rows in menu order: each menu's entries appear in the order the menu shows them, and a
// submenu's row comes before the rows inside it.
std::span<const MenuEntry> MenuEntries();
// The row of a command (the table has one row per command).
const MenuEntry& EntryOf(Command command);

} // namespace ovb
