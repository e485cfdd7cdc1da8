#include "ui/NameListModel.h"

namespace ovb {

NameListModel::NameListModel(int rows, ItemSource source, ItemText text, QObject* parent)
    : QAbstractListModel(parent), source_(std::move(source)), text_(std::move(text)) {
    sources_.reserve(std::size_t(rows));
    items_.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        sources_.emplace_back(source_(row));
        items_.append(text_(row));
    }
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(items_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= items_.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return items_[index.row()];
    return {};
}

int NameListModel::rebuild() {
    int changed = 0;
    int runStart = -1;
    auto endRun = [&](int end) {
        if (runStart < 0) return;
        emit dataChanged(index(runStart), index(end - 1), {Qt::DisplayRole, Qt::EditRole});
        runStart = -1;
    };
    for (int row = 0; row < items_.size(); ++row) {
        const std::string_view source = source_(row);
        if (source == sources_[std::size_t(row)]) {
            endRun(row);
            continue;
        }
        sources_[std::size_t(row)] = source;
        QString text = text_(row);
        if (text == items_[row]) {
            endRun(row);
            continue;
        }
        items_[row] = std::move(text);
        ++changed;
        if (runStart < 0) runStart = row;
    }
    endRun(int(items_.size()));
    return changed;
}

} // namespace ovb
