#pragma once
// The models the editor pages share, all over the one edited bank: the choice lists (every list
// box offering sounds shows the same sound list, every zone list the same multisample list) and
// the record lists of the six edited tables. The main window's refresh calls refresh() with the
// bits of what changed before it refreshes the pages.
#include "bank/Acc_bank_structure.h"

#include <QObject>

class QAbstractItemModel;

namespace ovb {

class NameListModel;
class RecordGridModel;

class BankModels : public QObject {
    Q_OBJECT
  public:
    explicit BankModels(as_bank& bank, QObject* parent = nullptr);

    as_bank& bank() const { return bank_; }

    // Rebuilds the choice lists named by the refresh bits (0x2 sounds, 0x4 multisamples, 0x100
    // solo and acomp, 0x200 F.bass and chord; -1 all) and redraws the record lists.
    void refresh(int flags);

    // "%04d %s" for sounds 0..9999.
    QAbstractItemModel* soundNames() const;
    // "No Multisample", then "MS%04d %s" for multisamples 1..9999.
    QAbstractItemModel* multisampleNames() const;
    // "%03d %s" for set-ups 0..999.
    QAbstractItemModel* soloNames() const;
    QAbstractItemModel* acompNames() const;
    QAbstractItemModel* fbassNames() const;
    QAbstractItemModel* chordNames() const;

    // The record lists: number and name, read from the bank.
    RecordGridModel* sceneGrid() const { return grids_[0]; }
    RecordGridModel* soloGrid() const { return grids_[1]; }
    RecordGridModel* acompGrid() const { return grids_[2]; }
    RecordGridModel* fbassGrid() const { return grids_[3]; }
    RecordGridModel* chordGrid() const { return grids_[4]; }
    RecordGridModel* soundGrid() const { return grids_[5]; }

  private:
    NameListModel* setupList(Table table);

    as_bank& bank_;
    NameListModel* sounds_;
    NameListModel* multisamples_;
    NameListModel* solos_;
    NameListModel* acomps_;
    NameListModel* fbasses_;
    NameListModel* chords_;
    RecordGridModel* grids_[6];
};

} // namespace ovb
