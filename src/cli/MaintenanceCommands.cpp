// ovbank's forms of the window program's batch jobs: removing unused multisamples, where a
// multisample or sound is used, the Stereo group repair and the group checks, initialising
// unused sounds and replacing text in every sample path. They show the window program's
// reports and messages. Naming a job is the answer to its warning; a job that changed the bank
// saves it as conform --yes does: a script in place (only with --yes, which answers the
// overwrite question), a bank file as a script NAME-JOB.ovs beside it.
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "base/Formatting.h"
#include "tools/BankChecks.h"
#include "tools/LibraryPaths.h"
#include "tools/SoundMaintenance.h"
#include "tools/StoredText.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <memory>

namespace ovb::cli {

namespace {

constexpr char kKept[] = "The bank file stays as it is";

// A changing job: what it did, counted; 0 leaves nothing to save.
using Job = std::function<unsigned(as_bank&, JobServices&)>;

int RunAndSave(const Args& args, JobServices& ui, const Job& job, const char* suffix,
               const char* caption) {
    auto bank = std::make_unique<as_bank>();
    const std::filesystem::path file = args.positional[0];
    if (!LoadAnyBankFile(*bank, file, ui)) return kExitFailed;
    if (job(*bank, ui) == 0) return kExitDone;
    if (file == "-") return kExitDone; // an empty bank named "-" has no file to keep
    if (SaveChangedBank(*bank, file, suffix, caption, kKept, ui)) return kExitDone;
    ui.message(caption, "The changed bank was not saved.");
    return kExitFailed;
}

int RemoveUnused(const Args& args, JobServices& ui) {
    return RunAndSave(args, ui, ClearUnusedMultisamples, "unused-removed",
                      "Remove UNUSED Multisamples...");
}

int FixStereo(const Args& args, JobServices& ui) {
    return RunAndSave(args, ui, ScanStereoGroups, "stereo-fixed",
                      "Automatic sounds STEREO GROUP checker...");
}

unsigned InitSounds(as_bank& bank, JobServices& ui) {
    const unsigned n = InitUnusedSounds(bank);
    ui.message("Info", n ? Format("%u unused sounds initialised.", n)
                         : std::string("Every unused sound holds a new sound's settings."));
    return n;
}

int InitUnused(const Args& args, JobServices& ui) {
    return RunAndSave(args, ui, InitSounds, "sounds-initialised", "Init All Unused Sounds");
}

int ReplacePath(const Args& args, JobServices& ui) {
    // The texts are typed on this computer; the paths are stored in the bank's code page.
    const std::optional<std::string> from = EncodeStoredText(args.positional[1]);
    const std::optional<std::string> to = EncodeStoredText(args.positional[2]);
    if (!from || !to || from->empty() || to->empty()) {
        std::fprintf(stderr, "ovbank: replace-path needs two non-empty texts the bank can store\n");
        return kExitUsage;
    }
    return RunAndSave(
        args, ui,
        [&](as_bank& bank, JobServices& jobs) {
            const unsigned n = ReplaceInSamplePaths(bank, *from, *to);
            jobs.message("Info", n ? Format("%u paths changed.", n)
                                   : "No path holds '" + args.positional[1] + "'.");
            return n;
        },
        "paths-replaced", "Replace text in all paths");
}

// The record number of the last argument; false after a usage message when it is not one.
bool RecordNumber(const Args& args, unsigned limit, unsigned& number) {
    const std::string& text = args.positional.back();
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, number);
    if (!text.empty() && ec == std::errc{} && ptr == end && number < limit) return true;
    std::fprintf(stderr, "ovbank: '%s' is not a number from 0 to %u\n", text.c_str(), limit - 1);
    return false;
}

template <typename Query> int Ask(const Args& args, JobServices& ui, unsigned limit, Query query) {
    unsigned number = 0;
    if (!RecordNumber(args, limit, number)) return kExitUsage;
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, args.positional[0], ui)) return kExitFailed;
    return query(*bank, number);
}

int WhereMultisample(const Args& args, JobServices& ui) {
    return Ask(args, ui, kMultisamples, [&](const as_bank& bank, unsigned m) {
        ShowWhereMultisampleIsUsed(bank, m, ui);
        return kExitDone;
    });
}

int WhereSound(const Args& args, JobServices& ui) {
    return Ask(args, ui, kSounds, [&](const as_bank& bank, unsigned s) {
        ShowWhereSoundIsUsed(bank, s, ui);
        return kExitDone;
    });
}

int NoGroup(const Args& args, JobServices& ui) {
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, args.positional[0], ui)) return kExitFailed;
    return CheckSoundsWithoutGroup(*bank, ui) == 0 ? kExitDone : kExitFailed;
}

int GroupsLike(const Args& args, JobServices& ui, GroupMatch match) {
    return Ask(args, ui, kSounds, [&](const as_bank& bank, unsigned s) {
        CheckSoundsInGroups(bank, bank.sound(s).category, match, ui);
        return kExitDone;
    });
}

} // namespace

void AddMaintenanceCommands(CommandTable& table) {
    auto add = [&](const char* name, const char* usage, const char* summary, std::size_t args,
                   std::function<int(const Args&, JobServices&)> run) {
        table.push_back({name, usage, summary, args, args, {}, std::move(run)});
    };
    add("remove-unused", "FILE", "clear the multisamples no sound plays, and save", 1,
        RemoveUnused);
    add("where-multisample", "FILE N", "list the sounds that play multisample N", 2,
        WhereMultisample);
    add("where-sound", "FILE N", "list the set-ups that play sound N", 2, WhereSound);
    add("fix-stereo", "FILE",
        "set the Stereo group of every sound that plays a stereo file, clear it elsewhere, "
        "and save",
        1, FixStereo);
    add("no-group", "FILE", "list the sounds in use without any group; exit 1 on a finding", 1,
        NoGroup);
    add("same-groups", "FILE SOUND", "list the sounds in use with exactly the groups of SOUND", 2,
        [](const Args& args, JobServices& ui) { return GroupsLike(args, ui, GroupMatch::Equal); });
    add("common-groups", "FILE SOUND", "list the sounds in use sharing a group with SOUND", 2,
        [](const Args& args, JobServices& ui) { return GroupsLike(args, ui, GroupMatch::Common); });
    add("init-unused", "FILE", "give every sound named \"- - -\" a new sound's settings, and save",
        1, InitUnused);
    add("replace-path", "FILE OLD NEW", "replace OLD by NEW in every sample path, and save", 3,
        ReplacePath);
}

} // namespace ovb::cli
