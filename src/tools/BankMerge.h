#pragma once
// The bank combinator: the named records of a second bank (B) added to the free positions of the
// edited bank (A). A's records never move or change. Each named record of B (a multisample with a
// name or any path; a sound, set-up or scene with a name) and every record such a record links
// to goes to the first free position of its table in A (free: unnamed, without paths, and linked
// from nowhere), and every link is renumbered: scene -> solo/acomp, acomp -> F.bass/chord,
// solo/F.bass/chord -> sounds, zone -> multisample (the zone's 2-bit field kept). A multisample A
// already holds identically (record and 64 paths; where its audio lay in a bank file aside) is
// reused, not copied. Links to index 0 stay 0; B's record 0 of each table is not copied. When A
// lacks room nothing changes.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <array>
#include <string>
#include <vector>

namespace ovb {

inline constexpr const char* kCombinatorCaption = "Bank Combinator";
inline constexpr unsigned kTableCount = 7;

struct MergePlan {
    // By table, for every record of B: its position in A, 0 when it is not copied.
    std::array<std::vector<unsigned>, kTableCount> target;
    std::vector<bool> reused; // multisamples of B that A already holds
    // By table: positions A lacks for the records that must be copied.
    std::array<unsigned, kTableCount> missing{};

    bool fits() const;
    unsigned placed() const; // records of B that get a position (reused multisamples included)
};

MergePlan PlanMerge(const as_bank& a, const as_bank& b);
// Copies B's records into A as planned (a plan that fits).
void ExecuteMerge(as_bank& a, const as_bank& b, const MergePlan& plan);

// "multisample 0003 'Piano' -> 0145", one line per placed record of B, in bank order.
std::vector<std::string> MergeReportLines(const as_bank& b, const MergePlan& plan);
// "No room for bank B: 12 multisample positions and 3 sound positions are missing. ..."
std::string MissingRoomText(const MergePlan& plan);

// Plans; refuses with the missing-room message, or combines and shows the report. True when B's
// records are in A (or B had none to add).
bool CombineBanks(as_bank& a, const as_bank& b, JobServices& ui);

} // namespace ovb
