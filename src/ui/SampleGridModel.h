#pragma once
// The 64 note slots of the current multisample: the note label, the key picture and the path of
// the WAV file on the slot, read from the bank whenever a cell is drawn. The delegate draws the
// label on a raised cell and the key pictures itself.
#include "bank/Acc_bank_structure.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include <functional>

namespace ovb {

class SampleGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { NoteColumn = 0, KeyColumn = 1, PathColumn = 2 };
    // The key picture of a row (KeyPicture as int), in the key column.
    static constexpr int KeyPictureRole = Qt::UserRole + 1;

    // multisample: the multisample shown; noteNames: whether labels are note names or numbers.
    SampleGridModel(const as_bank& bank, std::function<int()> multisample,
                    std::function<bool()> noteNames, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The multisample, its paths or the label setting changed: every cell is drawn again.
    void bankChanged();

  private:
    const as_bank& bank_;
    std::function<int()> multisample_;
    std::function<bool()> noteNames_;
};

class SampleGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace ovb
