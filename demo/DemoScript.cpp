// ovb-demo-script: builds the demo bank in memory from the demo sample library and saves it as a
// script, so that a fresh build has a bank to open and a bank file to build from it.
//
//   ovb-demo-script LIBRARY OUT.ovs
//
// One multisample per instrument of the library (indices 1..4 in table order), placed by the
// editor's own auto-positioning and named by its ".msn" marker; five sounds on them; two solo
// set-ups, an accompaniment with its F.bass and chord set-ups, and one scene. The size
// calculation runs before saving; any finding fails the program, and so the build.
#include "DemoInstruments.h"

#include "bank/ScriptFile.h"
#include "base/Formatting.h"
#include "job/ScriptedJobServices.h"
#include "tools/AutoPosition.h"
#include "tools/MultisampleNameSuggestion.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using ovb::as_bank;
using ovb::demo::DemoInstrument;
using ovb::demo::kDemoInstruments;

namespace {

// Category bits of a sound.
constexpr std::uint32_t kPiano = 1u << 0, kOrgan = 1u << 3, kOrchStrings = 1u << 8,
                        kSynth = 1u << 15, kStereo = 1u << 20;

bool Fail(const std::string& why) {
    std::fprintf(stderr, "ovb-demo-script: %s\n", why.c_str());
    return false;
}

template <std::size_t N> ovb::Name<N> SpacePadded(std::string_view text) {
    ovb::Name<N> name;
    name.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), N), name.begin());
    return name;
}

ovb::NoteScheme SchemeOf(ovb::demo::NoteScheme scheme) {
    switch (scheme) {
    case ovb::demo::NoteScheme::Blank:
        return ovb::NoteScheme::WithBlank;
    case ovb::demo::NoteScheme::Compact:
        return ovb::NoteScheme::Compact;
    case ovb::demo::NoteScheme::Lower:
        return ovb::NoteScheme::LowerCase;
    case ovb::demo::NoteScheme::Number:
        break;
    }
    return ovb::NoteScheme::Number;
}

// What the open dialog would offer after "select all": the folder's WAV files by name.
std::vector<std::string> WavFiles(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (ext == ".wav" && it->is_regular_file()) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void SetComment(ovb::as_multisample& ms, const std::string& text) {
    ms.comment.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), ms.comment.size() - 1), ms.comment.begin());
}

// The library's names must place every file on exactly one slot of its own; anything else
// means the demo no longer shows what the editor does with a well-named library.
bool FillMultisample(as_bank& bank, unsigned index, const DemoInstrument& in,
                     const fs::path& library) {
    const fs::path folder = library / in.folder;
    const auto files = WavFiles(folder);
    if (files.empty()) return Fail("no WAV files in " + folder.string());
    const auto placed = ovb::AutoPositionSlots(bank.paths(index), files, SchemeOf(in.scheme), 0);
    bank.paths(index) = placed.paths;
    if (placed.added != files.size() || !ovb::AutoPositionReport(placed).empty())
        return Fail(folder.string() + ": " + ovb::AddedText(placed) +
                    " with files on several slots or slots with several files");
    const auto name = ovb::SuggestMultisampleName(files.front());
    if (!name) return Fail("no .msn marker in " + folder.string());

    ovb::as_multisample& ms = bank.multisample(index);
    ms.name = *name;
    SetComment(ms, ovb::Format("%s: %zu %s samples, every third note, placed by their %s note "
                               "names.",
                               std::string(in.name).c_str(), files.size(),
                               in.stereo ? "stereo" : "mono",
                               std::string(ovb::demo::SchemeName(in.scheme)).c_str()));
    return true;
}

void AddSound(as_bank& bank, unsigned index, std::string_view name, std::uint32_t category,
              std::initializer_list<unsigned> multisamples) {
    ovb::as_sound& sound = bank.sound(index);
    sound.name = SpacePadded<16>(name);
    sound.category = category;
    unsigned zone = 0;
    for (unsigned m : multisamples)
        sound.zone[zone++].set_multisample(m);
}

void SetLayers(ovb::as_layers& layers, std::string_view name, unsigned sound1, unsigned sound2,
               unsigned sound3 = 0) {
    layers.name = SpacePadded<32>(name);
    layers.sound1 = std::uint16_t(sound1);
    layers.sound2 = std::uint16_t(sound2);
    layers.sound3 = std::uint16_t(sound3);
    layers.sound1_on = sound1 != 0;
    layers.sound2_on = sound2 != 0;
    layers.sound3_on = sound3 != 0;
}

// Multisamples 1..4 follow the instrument table: piano, organ, strings (stereo), bells.
void AddSoundsAndSetups(as_bank& bank) {
    AddSound(bank, 1, "Demo Piano", kPiano, {1});
    AddSound(bank, 2, "Demo Organ", kOrgan, {2});
    AddSound(bank, 3, "Demo Strings", kOrchStrings | kStereo, {3});
    AddSound(bank, 4, "Demo Bells", kSynth, {4});
    AddSound(bank, 5, "Piano+Strings", kPiano | kOrchStrings | kStereo, {1, 3});

    SetLayers(bank.solo(1), "Piano & Strings", 5, 0);
    SetLayers(bank.solo(2), "Organ & Bells", 2, 4);
    SetLayers(bank.fbass(1), "Demo Organ Bass", 2, 0);
    SetLayers(bank.chord(1), "Demo String Chords", 3, 1);
    bank.acomp(1).name = SpacePadded<32>("Demo Accompaniment");
    bank.acomp(1).fbass = 1;
    bank.acomp(1).chord = 1;
    bank.scene(1).name = SpacePadded<32>("Demo Scene");
    bank.scene(1).solo = 1;
    bank.scene(1).acomp = 1;
}

bool Save(as_bank& bank, const fs::path& out) {
    std::error_code ec;
    fs::remove(out, ec); // saving over a file asks first; the build has nobody to answer
    ovb::ScriptedJobServices ui;
    const bool saved = ovb::SaveScript(bank, out, ui, true);
    for (const auto& e : ui.transcript)
        Fail(e.what + " " + e.caption + ": " + e.text);
    return saved && ui.transcript.empty();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ovb-demo-script LIBRARY OUT.ovs\n");
        return 2;
    }
    const fs::path library = fs::absolute(argv[1]);
    const fs::path out = fs::absolute(argv[2]);
    as_bank bank;
    for (unsigned i = 0; i < kDemoInstruments.size(); ++i)
        if (!FillMultisample(bank, i + 1, kDemoInstruments[i], library)) return 1;
    AddSoundsAndSetups(bank);
    if (Save(bank, out)) return 0;
    std::error_code ec;
    fs::remove(out, ec); // a half-checked script must not satisfy the next build
    Fail("could not save " + out.string());
    return 1;
}
