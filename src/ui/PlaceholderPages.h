#pragma once
// The multisample page and the sound manager page in their first form: the name grids that the
// rest of the window navigates by. Their editors come later and take the same places.
#include "bank/Acc_bank_structure.h"

#include <QWidget>

class QTableView;

namespace ovb {

class NameTableModel;

class MultisamplesPlaceholder : public QWidget {
    Q_OBJECT
  public:
    MultisamplesPlaceholder(const as_bank& bank, QWidget* parent = nullptr);
    int currentMultisample() const; // 1..9999
    void selectMultisample(int index);
    void refresh(int flags);
    QTableView* grid() const { return grid_; }

  private:
    NameTableModel* model_;
    QTableView* grid_;
};

// The edited bank's sounds (left) beside those of a second bank (right).
class SoundManagerPlaceholder : public QWidget {
    Q_OBJECT
  public:
    SoundManagerPlaceholder(const as_bank& edited, const as_bank& manager,
                            QWidget* parent = nullptr);
    int leftSound() const;
    void selectLeftSound(int sound);
    int managerSound() const;
    void refresh(int flags);
    QTableView* leftGrid() const { return left_; }
    QTableView* rightGrid() const { return right_; }

  private:
    NameTableModel* leftModel_;
    NameTableModel* rightModel_;
    QTableView* left_;
    QTableView* right_;
};

} // namespace ovb
