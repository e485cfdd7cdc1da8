#pragma once
// A two-column grid, number and name, over the sounds or the multisamples of a bank. Names are
// read from the bank when a row is painted, so a refresh only has to say that names changed.
#include "bank/Acc_bank_structure.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace ovb {

class NameTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum class Kind { Sounds, Multisamples }; // sounds from 0, multisamples from 1

    NameTableModel(const as_bank& bank, Kind kind, QStringList headers, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int recordOfRow(int row) const { return row + first_; }
    int rowOfRecord(int record) const { return record - first_; }
    // The names may have changed: repaints what is shown.
    void namesChanged();

  private:
    const as_bank& bank_;
    Kind kind_;
    int first_;
    QStringList headers_;
};

} // namespace ovb
