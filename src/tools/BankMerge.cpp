#include "tools/BankMerge.h"

#include "base/Formatting.h"
#include "tools/DescriptionSchema.h"
#include "tools/SoundManager.h"
#include "tools/StoredText.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace ovb {

namespace {

using description::TextOf;
using Flags = std::vector<bool>;

unsigned T(Table t) {
    return unsigned(t);
}

// Every record starts with its name: 32 bytes in scenes and set-ups, 16 in the others.
std::string_view NameBytes(const as_bank& bank, Table table, unsigned i) {
    const unsigned width = table == Table::Sound || table == Table::Multisample ? 16 : 32;
    return {reinterpret_cast<const char*>(bank.record(table, i).data()), width};
}

bool Named(const as_bank& bank, Table table, unsigned i) {
    const std::string shown = description::ShownName(NameBytes(bank, table, i));
    if (!shown.empty() && shown != kEmptyPath) return true;
    return table == Table::Multisample && HasSamples(bank, i);
}

// Calls link(table, index) for every link a record holds, index 0 and indices past their table
// included.
void ForEachLink(const as_bank& bank, Table table, unsigned i,
                 const std::function<void(Table, unsigned)>& link) {
    auto layers = [&](const as_layers& l) {
        link(Table::Sound, l.sound1);
        link(Table::Sound, l.sound2);
        link(Table::Sound, l.sound3);
    };
    switch (table) {
    case Table::Scene:
        link(Table::Solo, bank.scene(i).solo);
        link(Table::Acomp, bank.scene(i).acomp);
        break;
    case Table::Acomp:
        link(Table::Fbass, bank.acomp(i).fbass);
        link(Table::Chord, bank.acomp(i).chord);
        break;
    case Table::Solo:
        layers(bank.solo(i));
        break;
    case Table::Fbass:
        layers(bank.fbass(i));
        break;
    case Table::Chord:
        layers(bank.chord(i));
        break;
    case Table::Sound:
        for (const as_zone& z : bank.sound(i).zone)
            link(Table::Multisample, z.multisample());
        break;
    case Table::Multisample:
        break;
    }
}

// Tables in the order links point: each only to tables after it.
constexpr Table kLinkOrder[] = {Table::Scene, Table::Acomp, Table::Solo,       Table::Fbass,
                                Table::Chord, Table::Sound, Table::Multisample};

// The records of B to copy: the named ones and, following the links down, what they play.
std::array<Flags, kTableCount> WantedRecords(const as_bank& b) {
    std::array<Flags, kTableCount> wanted;
    for (Table t : kLinkOrder)
        wanted[T(t)].assign(as_bank::tableSize(t), false);
    for (Table t : kLinkOrder)
        for (unsigned i = 1; i < as_bank::tableSize(t); ++i) {
            if (!wanted[T(t)][i] && !Named(b, t, i)) continue;
            wanted[T(t)][i] = true;
            ForEachLink(b, t, i, [&](Table to, unsigned k) {
                if (k != 0 && k < as_bank::tableSize(to)) wanted[T(to)][k] = true;
            });
        }
    return wanted;
}

// A's positions that may take a record: unnamed, without paths, linked from nowhere.
std::array<Flags, kTableCount> FreePositions(const as_bank& a) {
    std::array<Flags, kTableCount> linked, free;
    for (Table t : kLinkOrder)
        linked[T(t)].assign(as_bank::tableSize(t), false);
    for (Table t : kLinkOrder)
        for (unsigned i = 0; i < as_bank::tableSize(t); ++i)
            ForEachLink(a, t, i, [&](Table to, unsigned k) {
                if (k < as_bank::tableSize(to)) linked[T(to)][k] = true;
            });
    for (Table t : kLinkOrder) {
        free[T(t)].assign(as_bank::tableSize(t), false);
        for (unsigned i = 1; i < as_bank::tableSize(t); ++i)
            free[T(t)][i] = !linked[T(t)][i] && !Named(a, t, i);
    }
    return free;
}

// A multisample as compared for reuse: its record without the audio placement, and its paths.
std::string Content(const as_bank& bank, unsigned m) {
    as_multisample record = bank.multisample(m);
    for (as_sample_V1& s : record.sample)
        s.forget_placement();
    std::string content(reinterpret_cast<const char*>(&record), sizeof record);
    for (const std::string& p : bank.paths(m)) {
        content += p;
        content += '\0';
    }
    return content;
}

class Positions {
  public:
    explicit Positions(Flags& free) : free_(free) {}
    // The first free position, taken; 0 when there is none.
    unsigned take() {
        while (next_ < free_.size() && !free_[next_])
            ++next_;
        if (next_ == free_.size()) return 0;
        free_[next_] = false;
        return next_++;
    }

  private:
    Flags& free_;
    std::size_t next_ = 1;
};

void PlanMultisamples(const as_bank& a, const as_bank& b, const Flags& wanted, Flags& free,
                      MergePlan& plan) {
    // A's multisamples by content, lowest position first; copies join as they are planned.
    std::unordered_map<std::string, unsigned> held;
    for (unsigned k = kMultisamples - 1; k >= 1; --k)
        held[Content(a, k)] = k;
    Positions positions(free);
    std::vector<unsigned>& target = plan.target[T(Table::Multisample)];
    for (unsigned m = 1; m < kMultisamples; ++m) {
        if (!wanted[m]) continue;
        std::string content = Content(b, m);
        if (auto found = held.find(content); found != held.end()) {
            // Position 0: an equal one found no room either and was counted.
            target[m] = found->second;
            plan.reused[m] = found->second != 0;
            free[found->second] = false;
            continue;
        }
        target[m] = positions.take();
        plan.missing[T(Table::Multisample)] += target[m] == 0;
        held.emplace(std::move(content), target[m]);
    }
}

unsigned Renumbered(const MergePlan& plan, Table table, unsigned index) {
    if (index == 0 || index >= as_bank::tableSize(table)) return 0;
    return plan.target[T(table)][index];
}

void CopyLayers(const as_layers& from, as_layers& to, const MergePlan& plan) {
    to = from;
    to.sound1 = std::uint16_t(Renumbered(plan, Table::Sound, from.sound1));
    to.sound2 = std::uint16_t(Renumbered(plan, Table::Sound, from.sound2));
    to.sound3 = std::uint16_t(Renumbered(plan, Table::Sound, from.sound3));
}

std::string RecordName(const as_bank& bank, Table table, unsigned i) {
    return description::TextWords(description::ShownName(NameBytes(bank, table, i)));
}

} // namespace

bool MergePlan::fits() const {
    for (unsigned m : missing)
        if (m != 0) return false;
    return true;
}

unsigned MergePlan::placed() const {
    unsigned n = 0;
    for (const auto& table : target)
        for (unsigned k : table)
            n += k != 0;
    return n;
}

MergePlan PlanMerge(const as_bank& a, const as_bank& b) {
    MergePlan plan;
    const std::array<Flags, kTableCount> wanted = WantedRecords(b);
    std::array<Flags, kTableCount> free = FreePositions(a);
    for (Table t : kLinkOrder)
        plan.target[T(t)].assign(as_bank::tableSize(t), 0);
    plan.reused.assign(kMultisamples, false);
    PlanMultisamples(a, b, wanted[T(Table::Multisample)], free[T(Table::Multisample)], plan);
    for (Table t : kLinkOrder) {
        if (t == Table::Multisample) continue;
        Positions positions(free[T(t)]);
        for (unsigned i = 1; i < as_bank::tableSize(t); ++i) {
            if (!wanted[T(t)][i]) continue;
            plan.target[T(t)][i] = positions.take();
            plan.missing[T(t)] += plan.target[T(t)][i] == 0;
        }
    }
    return plan;
}

void ExecuteMerge(as_bank& a, const as_bank& b, const MergePlan& plan) {
    auto each = [&](Table t, const std::function<void(unsigned, unsigned)>& copy) {
        const std::vector<unsigned>& target = plan.target[T(t)];
        for (unsigned i = 1; i < target.size(); ++i)
            if (target[i] != 0) copy(i, target[i]);
    };
    each(Table::Multisample, [&](unsigned m, unsigned k) {
        if (!plan.reused[m]) CopyMultisample(b, m, a, k);
    });
    each(Table::Sound, [&](unsigned s, unsigned k) {
        unsigned zones[kZones];
        for (unsigned z = 0; z < kZones; ++z)
            zones[z] = Renumbered(plan, Table::Multisample, b.sound(s).zone[z].multisample());
        CopySound(b, s, a, k, zones);
    });
    each(Table::Solo, [&](unsigned i, unsigned k) { CopyLayers(b.solo(i), a.solo(k), plan); });
    each(Table::Fbass, [&](unsigned i, unsigned k) { CopyLayers(b.fbass(i), a.fbass(k), plan); });
    each(Table::Chord, [&](unsigned i, unsigned k) { CopyLayers(b.chord(i), a.chord(k), plan); });
    each(Table::Acomp, [&](unsigned i, unsigned k) {
        a.acomp(k) = b.acomp(i);
        a.acomp(k).fbass = std::uint16_t(Renumbered(plan, Table::Fbass, b.acomp(i).fbass));
        a.acomp(k).chord = std::uint16_t(Renumbered(plan, Table::Chord, b.acomp(i).chord));
    });
    each(Table::Scene, [&](unsigned i, unsigned k) {
        a.scene(k) = b.scene(i);
        a.scene(k).solo = std::uint16_t(Renumbered(plan, Table::Solo, b.scene(i).solo));
        a.scene(k).acomp = std::uint16_t(Renumbered(plan, Table::Acomp, b.scene(i).acomp));
    });
}

std::vector<std::string> MergeReportLines(const as_bank& b, const MergePlan& plan) {
    std::vector<std::string> lines;
    for (const description::TableText& t : description::Tables()) {
        const std::vector<unsigned>& target = plan.target[T(t.table)];
        for (unsigned i = 1; i < target.size(); ++i) {
            if (target[i] == 0) continue;
            const bool reused = t.table == Table::Multisample && plan.reused[i];
            lines.push_back(Format("%s %s %s -> %s%s", t.noun,
                                   description::RecordNumber(t.table, i).c_str(),
                                   RecordName(b, t.table, i).c_str(),
                                   description::RecordNumber(t.table, target[i]).c_str(),
                                   reused ? " (already in the bank)" : ""));
        }
    }
    return lines;
}

std::string MissingRoomText(const MergePlan& plan) {
    std::string list;
    for (const description::TableText& t : description::Tables()) {
        const unsigned n = plan.missing[T(t.table)];
        if (n == 0) continue;
        list +=
            (list.empty() ? "" : ", ") + Format("%u %s position%s", n, t.noun, n == 1 ? "" : "s");
    }
    return "No room for bank B: " + list + " missing.\nNothing was combined.";
}

bool CombineBanks(as_bank& a, const as_bank& b, JobServices& ui) {
    const MergePlan plan = PlanMerge(a, b);
    if (!plan.fits()) {
        ui.message(kCombinatorCaption, MissingRoomText(plan));
        return false;
    }
    std::vector<std::string> lines = MergeReportLines(b, plan);
    if (lines.empty()) {
        ui.message(kCombinatorCaption, "Bank B holds no named records: nothing was added.");
        return true;
    }
    ExecuteMerge(a, b, plan);
    lines.insert(lines.begin(),
                 Format("Records of bank B and their new numbers: %zu", lines.size()));
    ui.ShowReport("Report: Bank Combinator", lines);
    ui.CloseReport();
    return true;
}

} // namespace ovb
