// The Stereo group is decided by the files: a sound plays stereo when any multisample its zones
// play holds an existing, accepted stereo WAV file. Each multisample's files are examined once
// per run and the answer kept, since many sounds play the same multisamples.
#include "tools/SoundMaintenance.h"

#include "base/Formatting.h"
#include "job/InputFile.h"
#include "job/PathResolver.h"
#include "tools/CheckHelpers.h"
#include "wav/Wav_file_parser.h"

#include <cstring>
#include <fstream>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ovb {
namespace {

using namespace checks;

bool IsStereoFile(const std::filesystem::path& file) {
    if (!ProbeInput(file).ready()) return false; // a FIFO is never opened
    std::ifstream in(file, std::ios::binary);
    return in && CheckWavHeader(in) == WavStereo;
}

// Whether each multisample (1 to 9999) holds a stereo file, worked out on first demand.
class StereoMultisamples {
  public:
    explicit StereoMultisamples(const as_bank& bank) : bank_(bank), known_(kMultisamples, -1) {}
    bool stereo(unsigned m) {
        if (m == 0 || m >= kMultisamples) return false;
        if (known_[m] < 0) known_[m] = examine(m) ? 1 : 0;
        return known_[m] == 1;
    }

  private:
    bool examine(unsigned m) {
        bool found = false;
        for (const std::string& path : bank_.paths(m))
            if (!IsEmptyPath(path) && !found) found = IsStereoFile(files_.file(path));
        return found;
    }
    const as_bank& bank_;
    PathResolver files_;
    std::vector<signed char> known_;
};

bool PlaysStereo(const as_sound& sound, StereoMultisamples& stereo) {
    for (const as_zone& z : sound.zone)
        if (stereo.stereo(z.multisample())) return true;
    return false;
}

// The sounds in use, in ascending order.
std::vector<unsigned> SoundsInUse(const as_bank& bank) {
    std::vector<unsigned> used;
    for (unsigned s = 0; s < kSounds; ++s)
        if (SoundInUse(bank.sound(s))) used.push_back(s);
    return used;
}

template <typename Match>
unsigned ListSounds(const as_bank& bank, JobServices& ui, const char* title, Match match,
                    Lines& lines) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText(title);
    ui.SetProgressDetail("Preparing...");
    const std::vector<unsigned> used = SoundsInUse(bank);
    ui.SetProgressDetail("Starting...");
    unsigned count = 0, done = 0;
    for (unsigned s : used) {
        if (match(bank.sound(s))) {
            lines.push_back(Format("Sound %04u [ %s ]", s, SoundName(bank, s).c_str()));
            ++count;
        }
        ui.SetProgressDetail(Format("Checking SOUND: %04u", s));
        Step(ui, ++done, used.size());
    }
    return count;
}

// What a sound plays: its record without the name.
static_assert(offsetof(as_sound, name) == 0);
std::string_view Content(const as_sound& sound) {
    return {reinterpret_cast<const char*>(&sound) + sizeof sound.name,
            sizeof sound - sizeof sound.name};
}

} // namespace

bool SoundInUse(const as_sound& sound) {
    for (const as_zone& z : sound.zone)
        if (z.ms_and_flags > 3) return true;
    return false;
}

unsigned FixStereoGroups(as_bank& bank, JobServices& ui) {
    if (!ui.yes("Automatic fix SOUNDS Stereo Group Assignment!!!",
                "WARNING!!!\nFunction with Long Time Execution!\n\nAre You Sure to continue?"))
        return 0;
    return ScanStereoGroups(bank, ui);
}

unsigned ScanStereoGroups(as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Checking STEREO GROUP assignment...");
    ui.SetProgressDetail("Preparing...");
    StereoMultisamples stereo(bank);
    ui.SetProgressDetail("Checking...");
    Lines lines;
    for (unsigned s = 0; s < kSounds; ++s) {
        as_sound& sound = bank.sound(s);
        const bool flagged = (sound.category & kStereoGroup) != 0;
        const bool plays = PlaysStereo(sound, stereo);
        const std::string name = SoundName(bank, s);
        if (flagged && !plays) {
            sound.category &= ~kStereoGroup;
            lines.push_back(
                Format("Sound: %04u: %s is REMOVED from STEREO GROUP!", s, name.c_str()));
        } else if (!flagged && plays) {
            sound.category |= kStereoGroup;
            lines.push_back(
                Format("Sound: %04u: %s is ASSIGNED to STEREO GROUP!", s, name.c_str()));
        }
        ui.SetProgressText(Format("Sound: %04u: %s", s, name.c_str()));
        Step(ui, s, kSounds);
    }
    progress.hide();
    const unsigned count = unsigned(lines.size());
    if (count != 0)
        lines.insert(lines.begin(),
                     Format("Stereo GROUP assignemnt is updated for %04u sounds:", count));
    return Conclude(
        ui, count, lines, "Report: Updatet STEREO SOUND GROUP assignment?",
        "Automatic sounds STEREO GROUP checker...",
        "No change in sounds STEREO GROUP status.\nStereo group assignment of all sounds are OK!");
}

unsigned CheckSoundsWithoutGroup(const as_bank& bank, JobServices& ui) {
    Lines lines;
    const unsigned count = ListSounds(
        bank, ui, "Checking For SOUNDS without GROUP...",
        [](const as_sound& sound) { return sound.category == 0; }, lines);
    return Conclude(ui, count, lines, "Report: Check for SOUNDS NOT ASSIGNED TO ANY GROUP!",
                    "Check for SOUNDS without GROUP...", "No SOUNDS without GROUP!");
}

unsigned CheckSoundsInGroups(const as_bank& bank, std::uint32_t groups, GroupMatch match,
                             JobServices& ui) {
    Lines lines;
    const unsigned count = ListSounds(
        bank, ui, "Checking For SOUNDS in GROUP...",
        [&](const as_sound& sound) {
            return match == GroupMatch::Equal ? sound.category == groups
                                              : (sound.category & groups) != 0;
        },
        lines);
    if (count != 0) {
        lines.insert(lines.begin(), "------------------------------");
        lines.insert(lines.begin(), Format("Found %u sounds:", count));
    }
    return Conclude(ui, count, lines,
                    match == GroupMatch::Equal
                        ? "Report: Check for SOUNDS with ABSOLUTLY EQUAL GROUPS!"
                        : "Report: Check for SOUNDS with COMMON GROUPS!",
                    "Check for SOUNDS without GROUP...", "No SOUNDS without the same GROUP!");
}

unsigned CheckDuplicatedSounds(const as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Checking For Duplicated SOUNDS...");
    ui.SetProgressDetail("Preparing...");
    const std::vector<unsigned> used = SoundsInUse(bank);
    ui.SetProgressDetail("Starting...");
    std::unordered_map<std::string_view, unsigned> first; // content -> first sound playing it
    first.reserve(used.size());
    Lines lines;
    unsigned done = 0;
    for (unsigned s : used) {
        const auto [at, isNew] = first.emplace(Content(bank.sound(s)), s);
        if (!isNew)
            lines.push_back(Format("Sound %04u [ %s ] plays the same as Sound %04u [ %s ]", s,
                                   SoundName(bank, s).c_str(), at->second,
                                   SoundName(bank, at->second).c_str()));
        ui.SetProgressDetail(Format("Checking SOUND: %04u", s));
        Step(ui, ++done, used.size());
    }
    progress.hide();
    const unsigned count = unsigned(lines.size());
    if (count != 0) {
        lines.insert(lines.begin(), "------------------------------");
        lines.insert(lines.begin(), Format("Found %u duplicated sounds:", count));
    }
    return Conclude(ui, count, lines, "Report: Check for duplicated SOUNDS!",
                    "Check for duplicated SOUNDS...", "No duplicated SOUNDS found!");
}

void ShowWhereSoundIsUsed(const as_bank& bank, unsigned sound, JobServices& ui) {
    struct Table {
        const char* label;
        const as_layers& (as_bank::*record)(unsigned) const;
    };
    const Table tables[] = {
        {"SOLO", &as_bank::solo}, {"F.BASS", &as_bank::fbass}, {"CHORD", &as_bank::chord}};
    Lines lines;
    for (const Table& t : tables) {
        for (unsigned i = 0; i < kSetups; ++i) {
            const as_layers& setup = (bank.*t.record)(i);
            const std::uint16_t sounds[] = {setup.sound1, setup.sound2, setup.sound3};
            const std::uint8_t on[] = {setup.sound1_on, setup.sound2_on, setup.sound3_on};
            for (unsigned layer = 0; layer < 3; ++layer)
                if (sounds[layer] == sound && on[layer] != 0)
                    lines.push_back(Format("%s %03u: %s - SOUND %u", t.label, i,
                                           NameString(setup.name).c_str(), layer + 1));
        }
    }
    if (lines.empty()) {
        ui.message("Info", "This sound is not used in any set-up!");
        return;
    }
    const unsigned count = unsigned(lines.size());
    lines.insert(lines.begin(), Format("Sound [%04u] is used in %u set-up layers:", sound, count));
    ui.ShowReport("Report: Sound in set-ups", lines);
    ui.CloseReport();
}

unsigned InitUnusedSounds(as_bank& bank) {
    const Name<16> empty = EmptyName<16>();
    const as_sound fresh = NewSound();
    unsigned count = 0;
    for (unsigned s = 0; s < kSounds; ++s) {
        as_sound& sound = bank.sound(s);
        if (sound.name != empty || std::memcmp(&sound, &fresh, sizeof fresh) == 0) continue;
        sound = fresh;
        ++count;
    }
    return count;
}

} // namespace ovb
