#pragma once
// What the editor pages and the assistants need from the main window: the edited bank, the job
// services, the one refresh that brings every page up to date after a change, and the way to a
// record's page.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

namespace ovb {

// Bits of RefreshViews: which parts changed. -1 refreshes everything.
namespace refresh {
constexpr int Sounds = 0x2;           // sound names, sound lists, zone display, categories
constexpr int MultisampleNames = 0x4; // multisample grid and the 20 zone lists
constexpr int SampleGrid = 0x8;       // the sample-file grid of the current multisample
constexpr int ManagerSounds = 0x20;   // the sound manager's second bank
constexpr int Scene = 0x80;           // only the steps every refresh runs
constexpr int SoloLists = 0x100;      // solo and acomp lists of the scene page
constexpr int AcompLists = 0x200;     // F.bass and chord lists of the acomp page
constexpr int Fbass = 0x400;
constexpr int Chord = 0x800;
constexpr int All = -1;
} // namespace refresh

class EditorHost {
  public:
    virtual ~EditorHost() = default;
    virtual as_bank& bank() = 0;
    virtual JobServices& jobs() = 0;
    virtual void RefreshViews(int flags) = 0;
    // Where a search result leads: the page holding the record, with the record selected.
    virtual void showPreset(int scene) = 0;
    virtual void showSound(int sound) = 0;
    virtual void showMultisample(int multisample) = 0;
};

} // namespace ovb
