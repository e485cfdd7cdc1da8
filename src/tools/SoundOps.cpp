#include "tools/SoundOps.h"

#include "base/Formatting.h"

#include <algorithm>
#include <set>
#include <utility>

namespace ovb {

void MoveSound(as_bank& bank, unsigned from, unsigned to) {
    as_sound* table = &bank.sound(0);
    if (from > to)
        std::rotate(table + to, table + from, table + from + 1);
    else if (from < to)
        std::rotate(table + from, table + from + 1, table + to + 1);
}

void ApplyRowOperation(as_bank& bank, RowOperation op, unsigned from, unsigned to) {
    switch (op) {
    case RowOperation::Move:
        MoveSound(bank, from, to);
        break;
    case RowOperation::Swap:
        std::swap(bank.sound(from), bank.sound(to));
        break;
    case RowOperation::Copy:
        bank.sound(to) = bank.sound(from);
        break;
    case RowOperation::Cancel:
        break;
    }
}

std::string SoundRowText(const as_bank& bank, unsigned sound) {
    return Format("[%04u] - %s", sound, NameString(bank.sound(sound).name).c_str());
}

bool TakeNextMultisample(as_bank& bank, unsigned sound, unsigned zone) {
    if (zone == 0 || zone >= kZones) return false;
    as_sound& s = bank.sound(sound);
    const unsigned previous = s.zone[zone - 1].multisample();
    if (previous == 0 || previous >= kLastMultisample) return false;
    s.zone[zone].set_multisample(previous + 1);
    return true;
}

bool CopyZone1NameToSound(as_bank& bank, unsigned sound) {
    as_sound& s = bank.sound(sound);
    const unsigned ms = s.zone[0].multisample();
    if (ms == 0 || ms >= kMultisamples) return false;
    s.name = bank.multisample(ms).name;
    return true;
}

std::uint64_t SoundAudioBytes(const as_bank& bank, unsigned sound) {
    std::set<unsigned> used;
    for (const as_zone& z : bank.sound(sound).zone)
        if (z.multisample() != 0 && z.multisample() < kMultisamples) used.insert(z.multisample());
    std::uint64_t bytes = 0;
    for (unsigned ms : used)
        for (const as_sample_V1& sample : bank.multisample(ms).sample)
            bytes += std::uint64_t(sample.length_sectors) * kSector;
    return bytes;
}

std::string SoundSizeText(const as_bank& bank, unsigned sound) {
    return Format("Size of sound %04u [%s] is ", sound,
                  NameString(bank.sound(sound).name).c_str()) +
           FormatSize(SoundAudioBytes(bank, sound)) + ".";
}

void RemoveSound(as_bank& bank, unsigned sound) {
    bank.sound(sound) = NewSound();
}

std::string TransposeText(std::uint8_t stored) {
    return Format("%+02d", int(stored) - 64);
}

void StepVelocityLimit(as_zone& zone, bool up) {
    if (up && zone.velocity_high < 127)
        ++zone.velocity_high;
    else if (!up && zone.velocity_high > 0)
        --zone.velocity_high;
}

} // namespace ovb
