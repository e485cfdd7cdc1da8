#include "ui/BankModels.h"

#include "ui/NameListModel.h"
#include "ui/RecordGridModel.h"
#include "uibase/EditorHost.h"
#include "uibase/QtText.h"

namespace ovb {

namespace {

// prefix: the printf format of the index part, e.g. "%04d ".
template <std::size_t N> QString Item(const char* prefix, int index, const Name<N>& name) {
    return QString::asprintf(prefix, index) + ToQString(NameString(name));
}

template <std::size_t N> std::string_view Bytes(const Name<N>& name) {
    return {name.data(), N};
}

const Name<32>& SetupName(const as_bank& bank, Table table, int index) {
    const unsigned i = unsigned(index);
    switch (table) {
    case Table::Solo:
        return bank.solo(i).name;
    case Table::Acomp:
        return bank.acomp(i).name;
    case Table::Fbass:
        return bank.fbass(i).name;
    default:
        return bank.chord(i).name;
    }
}

} // namespace

BankModels::BankModels(as_bank& bank, QObject* parent) : QObject(parent), bank_(bank) {
    sounds_ = new NameListModel(
        kSounds, [this](int i) { return Bytes(bank_.sound(unsigned(i)).name); },
        [this](int i) { return Item("%04d ", i, bank_.sound(unsigned(i)).name); }, this);
    multisamples_ = new NameListModel(
        kMultisamples,
        [this](int i) {
            return i == 0 ? std::string_view() : Bytes(bank_.multisample(unsigned(i)).name);
        },
        [this](int i) {
            if (i == 0) return QStringLiteral("No Multisample");
            return Item("MS%04d ", i, bank_.multisample(unsigned(i)).name);
        },
        this);
    solos_ = setupList(Table::Solo);
    acomps_ = setupList(Table::Acomp);
    fbasses_ = setupList(Table::Fbass);
    chords_ = setupList(Table::Chord);

    grids_[0] = new RecordGridModel(bank, Table::Scene, {"Number", "Scene Name (32 chars)"}, this);
    grids_[1] = new RecordGridModel(bank, Table::Solo, {"Number", "SOLO Name (32 chars)"}, this);
    grids_[2] = new RecordGridModel(bank, Table::Acomp, {"Number", "ACOMP Name (32 chars)"}, this);
    // The F.bass and chord lists carry no titles.
    grids_[3] = new RecordGridModel(bank, Table::Fbass, {"", ""}, this);
    grids_[4] = new RecordGridModel(bank, Table::Chord, {"", ""}, this);
    grids_[5] = new RecordGridModel(bank, Table::Sound, {"Number", "Sound Name (16 chars)"}, this);
}

NameListModel* BankModels::setupList(Table table) {
    return new NameListModel(
        kSetups, [this, table](int i) { return Bytes(SetupName(bank_, table, i)); },
        [this, table](int i) { return Item("%03d ", i, SetupName(bank_, table, i)); }, this);
}

void BankModels::refresh(int flags) {
    if (flags & refresh::Sounds) sounds_->rebuild();
    if (flags & refresh::MultisampleNames) multisamples_->rebuild();
    if (flags & refresh::SoloLists) {
        solos_->rebuild();
        acomps_->rebuild();
    }
    if (flags & refresh::AcompLists) {
        fbasses_->rebuild();
        chords_->rebuild();
    }
    for (RecordGridModel* grid : grids_)
        grid->bankChanged();
}

QAbstractItemModel* BankModels::soundNames() const {
    return sounds_;
}
QAbstractItemModel* BankModels::multisampleNames() const {
    return multisamples_;
}
QAbstractItemModel* BankModels::soloNames() const {
    return solos_;
}
QAbstractItemModel* BankModels::acompNames() const {
    return acomps_;
}
QAbstractItemModel* BankModels::fbassNames() const {
    return fbasses_;
}
QAbstractItemModel* BankModels::chordNames() const {
    return chords_;
}

} // namespace ovb
