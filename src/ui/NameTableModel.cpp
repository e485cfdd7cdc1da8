#include "ui/NameTableModel.h"

#include "tools/BankSearch.h"
#include "uibase/QtText.h"

namespace ovb {

NameTableModel::NameTableModel(const as_bank& bank, Kind kind, QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), bank_(bank), kind_(kind),
      first_(kind == Kind::Multisamples ? 1 : 0), headers_(std::move(headers)) {}

int NameTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return int(kind_ == Kind::Sounds ? kSounds : kMultisamples) - first_;
}

int NameTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant NameTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const unsigned record = unsigned(recordOfRow(index.row()));
    if (index.column() == 0) return QString("%1").arg(record, 4, 10, QChar('0'));
    return ToQString(kind_ == Kind::Sounds ? DisplayName(bank_.sound(record).name)
                                           : DisplayName(bank_.multisample(record).name));
}

QVariant NameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return headers_.value(section);
}

void NameTableModel::namesChanged() {
    emit dataChanged(index(0, 1), index(rowCount() - 1, 1), {Qt::DisplayRole});
}

} // namespace ovb
