#pragma once
// The two-column record lists of the editor pages: the record number and its name, read straight
// from the bank whenever a cell is drawn, so the list can never disagree with the bank. Editing a
// name writes it through the name rule at once.
#include "bank/Acc_bank_structure.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <span>

namespace ovb {

class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { NumberColumn = 0, NameColumn = 1 };

    // titles: the two column titles; empty texts leave the title row blank.
    RecordGridModel(as_bank& bank, Table table, QStringList titles, QObject* parent = nullptr);

    Table table() const { return table_; }
    unsigned nameWidth() const { return unsigned(nameBytes(0).size()); }
    // Rows may be dragged onto other rows; a drop is reported by rowDropped, never applied here.
    void setRowDragging(bool on) { rowDragging_ = on; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

    // The bank changed under the model: every visible cell is drawn again.
    void bankChanged();

  signals:
    // A row was dragged onto another one; delivered after the drag has finished.
    void rowDropped(int fromRecord, int toRecord);

  private:
    std::span<char> nameBytes(unsigned record) const;
    int dropTarget(const QMimeData* data, int row, const QModelIndex& parent, int* from) const;

    as_bank& bank_;
    Table table_;
    QStringList titles_;
    bool rowDragging_ = false;
};

// A name as the user typed it, as the bytes the bank stores: one byte per character of the
// 8-bit character set the module shows; other characters become '?'.
std::string NameBytes(const QString& text);

} // namespace ovb
