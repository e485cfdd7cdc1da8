#include "ui/MultisampleGridModel.h"

#include "bank/NameEdit.h"
#include "tools/BankSearch.h"
#include "ui/RecordGridModel.h"
#include "uibase/QtText.h"

namespace ovb {

MultisampleGridModel::MultisampleGridModel(as_bank& bank, QObject* parent)
    : QAbstractTableModel(parent), bank_(bank) {}

Name<16>& MultisampleGridModel::name(int row) const {
    return bank_.multisample(unsigned(recordOfRow(row))).name;
}

int MultisampleGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(kMultisamples) - 1;
}

int MultisampleGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant MultisampleGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    if (index.column() == NumberColumn)
        return QString::asprintf("MS%04u", unsigned(recordOfRow(index.row())));
    // Without its padding, as the other lists show names; the editor then continues the text.
    return ToQString(DisplayName(name(index.row())));
}

bool MultisampleGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != NameColumn || role != Qt::EditRole) return false;
    EditName(name(index.row()), NameBytes(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags MultisampleGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == NameColumn) f |= Qt::ItemIsEditable;
    return f;
}

QVariant MultisampleGridModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section == NumberColumn) return QStringLiteral("MS Num");
    if (section == NameColumn) return QStringLiteral("MS Name (16 chars)");
    return {};
}

void MultisampleGridModel::namesChanged() {
    emit dataChanged(index(0, NameColumn), index(rowCount() - 1, NameColumn),
                     {Qt::DisplayRole, Qt::EditRole});
}

} // namespace ovb
