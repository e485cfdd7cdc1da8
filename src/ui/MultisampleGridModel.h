#pragma once
// The multisample list: "MS0001" to "MS9999" and their names, read from the bank whenever a cell
// is drawn. Multisample 0 means "no multisample" in a zone and is never listed. Editing a name
// writes it through the name rule at once, as the other record lists do.
#include "bank/Acc_bank_structure.h"

#include <QAbstractTableModel>

namespace ovb {

class MultisampleGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { NumberColumn = 0, NameColumn = 1 };

    explicit MultisampleGridModel(as_bank& bank, QObject* parent = nullptr);

    static int recordOfRow(int row) { return row + 1; }
    static int rowOfRecord(int record) { return record - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The names may have changed: every visible name is drawn again.
    void namesChanged();

  private:
    Name<16>& name(int row) const;

    as_bank& bank_;
};

} // namespace ovb
