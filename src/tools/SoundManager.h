#pragma once
// Copies sounds from a second bank (the sound manager's) into the edited bank. A copied sound
// brings the multisamples its zones play: one of the same name already in the edited bank is
// reused, any other is copied with its 64 paths into a free position chosen by the placement
// rule, and is then found by name, so it is copied only once.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <map>
#include <string>
#include <vector>

namespace ovb {

// Where a multisample that has to be copied goes (the placement list's item index).
enum class Placement {
    FirstEmpty = 0,    // "To first empty position"
    AfterLastUsed = 1, // "After last used position"
    FromCurrent = 2,   // "From curent MS position"
};

inline constexpr const char* kNoFreeMultisample = "No free multisample in main bank!";
inline constexpr const char* kLastSoundPosition = "Not possible!\nThis is last sound position!";
// The step-down copies refuse from this sound on, so that the step cannot leave the table.
inline constexpr unsigned kLastCopyPosition = kSounds - 2;

// One copy job (a button press). It learns which multisample positions of the edited bank are
// used and which names they carry once, then keeps that up to date as it copies, so copying
// thousands of sounds does not scan the whole bank for every zone.
class SoundCopier {
  public:
    // currentMultisample: the multisample page's current multisample, where FromCurrent starts.
    SoundCopier(as_bank& edited, const as_bank& manager, Placement placement,
                unsigned currentMultisample, JobServices& ui);

    // Edited sound `to` becomes manager sound `from`, its zones pointing at multisamples of the
    // edited bank. A zone whose multisample finds no place plays nothing (multisample 0).
    void copy(unsigned from, unsigned to);

    // Multisamples copied so far (reused ones not counted).
    unsigned multisamplesCopied() const { return copied_; }

  private:
    unsigned placeMultisample(unsigned source);
    unsigned targetPosition() const; // 0: no place
    void copyMultisample(unsigned source, unsigned target);
    unsigned firstNamed(const std::string& name) const;

    as_bank& edited_;
    const as_bank& manager_;
    Placement placement_;
    unsigned currentMultisample_;
    JobServices& ui_;
    std::vector<bool> used_;                 // by position 0..9999
    std::map<std::string, unsigned> byName_; // name -> first position 1..9999 with it
    std::map<unsigned, unsigned> unnamed_;   // unnamed source -> where this job put it
    unsigned copied_ = 0;
};

// Multisample source of one bank copied to position target of another: the whole record (name,
// comment, sample records) with its 64 paths. The sample records forget where their audio lay
// in the source bank's file: the target bank's file holds other audio there.
void CopyMultisample(const as_bank& from, unsigned source, as_bank& to, unsigned target);
// Sound source of one bank copied to position target of another, its zones playing the given
// multisamples of the target bank (each zone's 2-bit field kept).
void CopySound(const as_bank& from, unsigned source, as_bank& to, unsigned target,
               const unsigned (&multisamples)[kZones]);

// The current sound of each grid.
struct SoundPair {
    unsigned edited = 0;
    unsigned manager = 0;
    bool operator==(const SoundPair&) const = default;
};

// "<< Execute + 1 Down <<": copies the current manager sound onto the current edited sound and
// moves both one sound on. On the last two sound positions it refuses ("Sound Manager") and
// copies nothing. True when it copied.
bool CopyAndStepDown(SoundCopier& copier, SoundPair& current, JobServices& ui);

// "<< Execute + X Down <<": copies count sounds one after the other from start on, taking one
// off count for each. Stops with a message ("Bank Manager") when a copy would start on one of
// the last two sound positions. Returns the sounds after the last copy, where the grids go.
// The copier learned the bank beforehand, so each copy is a few record copies and lookups: the
// loop runs without letting the window take input, and no click can start a copy midway.
SoundPair CopyRepeatedly(SoundCopier& copier, SoundPair start, unsigned& count, JobServices& ui);

} // namespace ovb
