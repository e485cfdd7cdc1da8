#include "tools/SoundManager.h"

#include "tools/BankSearch.h"

#include <algorithm>

namespace ovb {

namespace {

constexpr unsigned kMultisampleIndexMask = 0x3FFF;

bool OnLastPositions(const SoundPair& at) {
    return at.edited >= kLastCopyPosition || at.manager >= kLastCopyPosition;
}

} // namespace

SoundCopier::SoundCopier(as_bank& edited, const as_bank& manager, Placement placement,
                         unsigned currentMultisample, JobServices& ui)
    : edited_(edited), manager_(manager), placement_(placement),
      currentMultisample_(std::min(currentMultisample, kMultisamples - 1)), ui_(ui),
      used_(kMultisamples, false) {
    for (unsigned k = 1; k < kMultisamples; ++k) {
        used_[k] = HasSamples(edited_, k);
        byName_.emplace(NameString(edited_.multisample(k).name), k); // keeps the first
    }
}

void CopyMultisample(const as_bank& from, unsigned source, as_bank& to, unsigned target) {
    to.multisample(target) = from.multisample(source);
    for (as_sample_V1& sample : to.multisample(target).sample)
        sample.forget_placement();
    to.paths(target) = from.paths(source);
}

void CopySound(const as_bank& from, unsigned source, as_bank& to, unsigned target,
               const unsigned (&multisamples)[kZones]) {
    as_sound& copy = to.sound(target);
    copy = from.sound(source);
    for (unsigned z = 0; z < kZones; ++z)
        copy.zone[z].set_multisample(multisamples[z] & kMultisampleIndexMask);
}

void SoundCopier::copy(unsigned from, unsigned to) {
    if (from >= kSounds || to >= kSounds) return;
    unsigned placed[kZones];
    for (unsigned z = 0; z < kZones; ++z)
        placed[z] = placeMultisample(manager_.sound(from).zone[z].multisample());
    CopySound(manager_, from, edited_, to, placed);
}

// The edited bank's index for the manager's multisample `source`; 0 when the zone plays nothing
// or no place was found. A zone value beyond the table names no multisample at all.
unsigned SoundCopier::placeMultisample(unsigned source) {
    if (source == 0 || source >= kMultisamples) return 0;
    // Matching an unnamed multisample by name would tie the zone to whatever unnamed, perhaps
    // empty, multisample comes first.
    const bool unnamed = Unnamed(manager_.multisample(source).name);
    if (!unnamed) {
        if (unsigned k = firstNamed(NameString(manager_.multisample(source).name))) return k;
    } else if (auto done = unnamed_.find(source); done != unnamed_.end()) {
        return done->second;
    }
    const unsigned target = targetPosition();
    if (target == 0) {
        ui_.message("Error", kNoFreeMultisample);
        return 0;
    }
    copyMultisample(source, target);
    if (unnamed) unnamed_[source] = target;
    return target;
}

unsigned SoundCopier::targetPosition() const {
    const unsigned last = kMultisamples - 1;
    switch (placement_) {
    case Placement::FirstEmpty:
        for (unsigned k = 1; k <= last; ++k)
            if (!used_[k]) return k;
        return 0;
    case Placement::AfterLastUsed:
    case Placement::FromCurrent: {
        const unsigned from =
            placement_ == Placement::FromCurrent ? std::max(currentMultisample_, 1u) : 1u;
        unsigned after = placement_ == Placement::FromCurrent ? currentMultisample_ + 1 : 1;
        for (unsigned k = last; k >= from; --k)
            if (used_[k]) {
                after = k + 1;
                break;
            }
        return after <= last ? after : 0;
    }
    }
    return 0;
}

// The position counts as used for the rest of the job even when the copy holds no paths, so that
// a later zone's copy cannot land on it.
void SoundCopier::copyMultisample(unsigned source, unsigned target) {
    const std::string oldName = NameString(edited_.multisample(target).name);
    CopyMultisample(manager_, source, edited_, target);
    used_[target] = true;
    ++copied_;

    if (auto old = byName_.find(oldName); old != byName_.end() && old->second == target) {
        byName_.erase(old);
        for (unsigned k = target + 1; k < kMultisamples; ++k)
            if (NameString(edited_.multisample(k).name) == oldName) {
                byName_.emplace(oldName, k);
                break;
            }
    }
    auto [entry, added] = byName_.emplace(NameString(edited_.multisample(target).name), target);
    if (!added && entry->second > target) entry->second = target;
}

unsigned SoundCopier::firstNamed(const std::string& name) const {
    auto found = byName_.find(name);
    return found == byName_.end() ? 0 : found->second;
}

bool CopyAndStepDown(SoundCopier& copier, SoundPair& current, JobServices& ui) {
    if (OnLastPositions(current)) {
        ui.message("Sound Manager", kLastSoundPosition);
        return false;
    }
    copier.copy(current.manager, current.edited);
    ++current.edited;
    ++current.manager;
    return true;
}

SoundPair CopyRepeatedly(SoundCopier& copier, SoundPair start, unsigned& count, JobServices& ui) {
    SoundPair at = start;
    while (count >= 1) {
        if (OnLastPositions(at)) {
            ui.message("Bank Manager", kLastSoundPosition);
            break;
        }
        copier.copy(at.manager, at.edited);
        --count;
        ++at.edited;
        ++at.manager;
    }
    return at;
}

} // namespace ovb
