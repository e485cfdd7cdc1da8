#pragma once
// The grid of the 64 note slots: rows selected as one range, a plain press selects and shows a
// slot, Ctrl+press plays it for as long as the button is held, and WAV files dragged from the
// desktop's file manager are taken by a drop.
#include <QStringList>
#include <QTableView>

#include <vector>

namespace ovb {

class SampleGridModel;

class SampleGrid : public QTableView {
    Q_OBJECT
  public:
    explicit SampleGrid(SampleGridModel* model, QWidget* parent = nullptr);

    // The selected slots, ascending.
    std::vector<unsigned> selectedSlots() const;
    // The slot of the current cell, 0 when there is none.
    int currentSlot() const;
    // Selects the slots first..last as the user would with a press and a Shift+press.
    void selectSlots(int first, int last);

    // The local files ending in ".wav" (any case) that a drag carries.
    static QStringList WavFiles(const QMimeData* data);

  signals:
    // After a left press moved the selection; play: Ctrl was held.
    void slotPressed(int slot, bool play);
    void pressReleased();
    // WAV files dropped on the grid; slot is the row under the drop, -1 below the last row.
    void filesDropped(const QStringList& files, int slot);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace ovb
