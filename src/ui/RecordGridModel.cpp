#include "ui/RecordGridModel.h"

#include "bank/NameEdit.h"
#include "uibase/QtText.h"

#include <QMimeData>
#include <QTimer>

#include <algorithm>

namespace ovb {

namespace {
// Each model has its own drag format, so a row of one list is never dropped onto another.
QString DragFormat(const RecordGridModel* model) {
    return QStringLiteral("application/x-ovb-record-row-%1").arg(quintptr(model), 0, 16);
}
} // namespace

std::string NameBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

RecordGridModel::RecordGridModel(as_bank& bank, Table table, QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), bank_(bank), table_(table), titles_(std::move(titles)) {}

std::span<char> RecordGridModel::nameBytes(unsigned record) const {
    const bool shortName = table_ == Table::Sound || table_ == Table::Multisample;
    std::span<std::uint8_t> bytes = bank_.record(table_, record);
    return {reinterpret_cast<char*>(bytes.data()), shortName ? 16u : 32u};
}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(as_bank::tableSize(table_));
}

int RecordGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const unsigned record = unsigned(index.row());
    if (index.column() == NumberColumn) {
        const bool wide = as_bank::tableSize(table_) > 1000;
        return QString::number(record).rightJustified(wide ? 4 : 3, '0');
    }
    std::span<char> name = nameBytes(record);
    // Readers stop at the first zero byte: edited names are zero padded.
    const auto end = std::find(name.begin(), name.end(), '\0');
    QString text = ToQString(std::string_view(name.data(), std::size_t(end - name.begin())));
    // The editor starts from the name without its padding, so typing continues the text.
    if (role == Qt::EditRole) {
        while (text.endsWith(' '))
            text.chop(1);
    }
    return text;
}

bool RecordGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != NameColumn || role != Qt::EditRole) return false;
    EditName(nameBytes(unsigned(index.row())), NameBytes(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid()) return f;
    if (index.column() == NameColumn) f |= Qt::ItemIsEditable;
    if (rowDragging_) f |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    return f;
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return section < titles_.size() ? titles_[section] : "";
    return {};
}

QStringList RecordGridModel::mimeTypes() const {
    return {DragFormat(this)};
}

QMimeData* RecordGridModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(DragFormat(this), QByteArray::number(indexes.first().row()));
    return data;
}

int RecordGridModel::dropTarget(const QMimeData* data, int row, const QModelIndex& parent,
                                int* from) const {
    if (!rowDragging_ || !data || !data->hasFormat(DragFormat(this))) return -1;
    bool ok = false;
    *from = data->data(DragFormat(this)).toInt(&ok);
    if (!ok || *from < 0 || *from >= rowCount()) return -1;
    // Dropped on a row, or between rows: the row below the gap (the last row at the end).
    const int to = parent.isValid() ? parent.row() : std::min(row, rowCount() - 1);
    return to >= 0 ? to : -1;
}

bool RecordGridModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                      const QModelIndex& parent) const {
    int from = 0;
    return dropTarget(data, row, parent, &from) >= 0;
}

bool RecordGridModel::dropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                   const QModelIndex& parent) {
    int from = 0;
    const int to = dropTarget(data, row, parent, &from);
    if (to < 0 || to == from) return false;
    // The operation asks the user in a modal dialog, which must not run inside the drag loop.
    QTimer::singleShot(0, this, [this, from, to] { emit rowDropped(from, to); });
    // Nothing is moved by the view: the bank decides what the rows show.
    return false;
}

void RecordGridModel::bankChanged() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                     {Qt::DisplayRole, Qt::EditRole});
}

} // namespace ovb
