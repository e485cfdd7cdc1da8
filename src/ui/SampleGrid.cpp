#include "ui/SampleGrid.h"

#include "ui/SampleGridModel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <algorithm>

namespace ovb {

namespace {
constexpr int kNoteWidth = 32, kKeyWidth = 32, kPathWidth = 628;
} // namespace

SampleGrid::SampleGrid(SampleGridModel* model, QWidget* parent) : QTableView(parent) {
    setModel(model);
    setItemDelegate(new SampleGridDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(ContiguousSelection);
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    // The key pictures join into one keyboard; the cells draw their own borders.
    setShowGrid(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setColumnWidth(SampleGridModel::NoteColumn,
                   std::max(kNoteWidth, fontMetrics().horizontalAdvance("D#10") + 8));
    setColumnWidth(SampleGridModel::KeyColumn, kKeyWidth);
    setColumnWidth(SampleGridModel::PathColumn, kPathWidth);
    horizontalHeader()->setStretchLastSection(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(DropOnly);
    setContextMenuPolicy(Qt::CustomContextMenu);
    selectRow(0);
}

std::vector<unsigned> SampleGrid::selectedSlots() const {
    std::vector<unsigned> chosen;
    for (const QModelIndex& row : selectionModel()->selectedRows())
        chosen.push_back(unsigned(row.row()));
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

int SampleGrid::currentSlot() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : 0;
}

void SampleGrid::selectSlots(int first, int last) {
    setCurrentIndex(model()->index(first, SampleGridModel::PathColumn));
    const QItemSelection range(model()->index(first, 0), model()->index(last, 2));
    selectionModel()->select(range,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// A Ctrl+press plays the pressed slot: it selects that slot alone instead of extending the
// selection.
void SampleGrid::mousePressEvent(QMouseEvent* event) {
    const bool play =
        event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier);
    if (play) {
        QMouseEvent plain(event->type(), event->position(), event->scenePosition(),
                          event->globalPosition(), event->button(), event->buttons(),
                          event->modifiers() & ~Qt::ControlModifier, event->pointingDevice());
        QTableView::mousePressEvent(&plain);
    } else {
        QTableView::mousePressEvent(event);
    }
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && pressed.isValid())
        emit slotPressed(pressed.row(), play);
}

void SampleGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit pressReleased();
}

QStringList SampleGrid::WavFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString file = url.toLocalFile();
        if (QFileInfo(file).suffix().compare("wav", Qt::CaseInsensitive) == 0) files << file;
    }
    return files;
}

void SampleGrid::dragEnterEvent(QDragEnterEvent* event) {
    if (WavFiles(event->mimeData()).isEmpty()) return event->ignore();
    event->acceptProposedAction();
}

void SampleGrid::dragMoveEvent(QDragMoveEvent* event) {
    if (WavFiles(event->mimeData()).isEmpty()) return event->ignore();
    event->acceptProposedAction();
}

void SampleGrid::dropEvent(QDropEvent* event) {
    const QStringList files = WavFiles(event->mimeData());
    if (files.isEmpty()) return event->ignore();
    event->acceptProposedAction();
    emit filesDropped(files, indexAt(event->position().toPoint()).row());
}

} // namespace ovb
