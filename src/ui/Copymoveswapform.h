#pragma once
// The question a row drag in the sound list asks: move, swap or copy the dragged sound onto the
// target, or leave both alone.
#include "tools/SoundOps.h"

#include <QDialog>

class QPushButton;

namespace ovb {

class TCopyMoveSwapForm : public QDialog {
    Q_OBJECT
  public:
    // fromText, toText: "[0005] - Piano" for the dragged and the target sound.
    TCopyMoveSwapForm(const QString& fromText, const QString& toText, QWidget* parent = nullptr);

    RowOperation choice() const { return choice_; }
    QPushButton* button(RowOperation op) const;

    // Shows the dialog modally over parent's window; closing it without a choice is Cancel.
    static RowOperation Ask(QWidget* parent, const QString& fromText, const QString& toText);

  private:
    QPushButton* addChoice(const QString& caption, RowOperation op);

    RowOperation choice_ = RowOperation::Cancel;
    QPushButton* buttons_[4] = {};
};

} // namespace ovb
