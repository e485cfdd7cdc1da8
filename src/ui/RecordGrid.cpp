#include "ui/RecordGrid.h"

#include "ui/GridDelegate.h"
#include "ui/RecordGridModel.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace ovb {

namespace {
int NameColumnWidth(const QFontMetrics& metrics, unsigned characters, int minimum) {
    const QString capitals = QString("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789").left(characters);
    return std::max(minimum, metrics.horizontalAdvance(capitals) + 10);
}
} // namespace

RecordGrid::RecordGrid(RecordGridModel* model, int minimumNameWidth, QWidget* parent)
    : QTableView(parent), model_(model) {
    const int nameColumnWidth =
        NameColumnWidth(fontMetrics(), model->nameWidth(), minimumNameWidth);
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
    setColumnWidth(0, 50);
    setColumnWidth(1, nameColumnWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedWidth(50 + nameColumnWidth + 2 * frameWidth() +
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
