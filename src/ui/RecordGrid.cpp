#include "ui/RecordGrid.h"

#include "ui/GridDelegate.h"
#include "ui/RecordGridModel.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace ovb {

namespace {
// Wide enough for its title and for what it shows.
int ColumnWidth(const QFontMetrics& metrics, const QAbstractItemModel& model, int column,
                const QString& widest, int minimum) {
    const QString title = model.headerData(column, Qt::Horizontal).toString();
    return std::max(
        {minimum, metrics.horizontalAdvance(widest) + 10, metrics.horizontalAdvance(title) + 12});
}
} // namespace

RecordGrid::RecordGrid(RecordGridModel* model, int minimumNameWidth, QWidget* parent)
    : QTableView(parent), model_(model) {
    const QString capitals =
        QString("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789").left(model->nameWidth());
    const int nameColumnWidth = ColumnWidth(fontMetrics(), *model, 1, capitals, minimumNameWidth);
    const int numberColumnWidth = ColumnWidth(fontMetrics(), *model, 0, "0000", 0);
    setModel(model);
    setItemDelegate(new GridDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    // Ten thousand rows of one height: the view never measures them one by one.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setColumnWidth(0, numberColumnWidth);
    setColumnWidth(1, nameColumnWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedWidth(numberColumnWidth + nameColumnWidth + 2 * frameWidth() +
                  verticalScrollBar()->sizeHint().width());
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!selecting_ && current.isValid()) emit recordChosen(current.row());
            });
    selectRecord(0);
}

int RecordGrid::currentRecord() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : 0;
}

void RecordGrid::selectRecord(int record) {
    if (record < 0 || record >= model_->rowCount()) return;
    selecting_ = true;
    const int column = currentIndex().isValid() ? currentIndex().column() : 1;
    setCurrentIndex(model_->index(record, column));
    selecting_ = false;
    scrollTo(currentIndex());
}

void RecordGrid::setRowDragging(bool on) {
    model_->setRowDragging(on);
    setDragEnabled(on);
    setAcceptDrops(on);
    setDragDropMode(on ? DragDrop : NoDragDrop);
    setDragDropOverwriteMode(true);
    setDropIndicatorShown(on);
    setDefaultDropAction(Qt::MoveAction);
}

} // namespace ovb
