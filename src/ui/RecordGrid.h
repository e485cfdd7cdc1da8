#pragma once
// A record list on an editor page: one row per record of a table, number and name, a single
// current row. The page learns of the user's choice through recordChosen; selecting a row from
// code (a refresh, the search assistant) stays silent so it cannot start another refresh.
#include <QTableView>

namespace ovb {

class RecordGridModel;

class RecordGrid : public QTableView {
    Q_OBJECT
  public:
    // The name column is at least minimumNameWidth pixels and wide enough for a name of full
    // length in capitals; the number column is 50.
    RecordGrid(RecordGridModel* model, int minimumNameWidth, QWidget* parent = nullptr);

    RecordGridModel* gridModel() const { return model_; }
    int currentRecord() const;
    void selectRecord(int record);
    // Lets the user drag rows onto each other (reported by the model's rowDropped).
    void setRowDragging(bool on);

  signals:
    void recordChosen(int record);

  private:
    RecordGridModel* model_;
    bool selecting_ = false;
};

} // namespace ovb
