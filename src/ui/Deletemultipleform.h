#pragma once
// The two range-removal windows: multisamples (TDeleteMultipleMultisampleForm's layout) and
// sounds (TDeleteMultiProgramForm's). From and To follow each other so that From never exceeds
// To; "Remove..." asks, removes From .. To - 1 on Yes, and closes either way.
#include <QDialog>

class QPushButton;
class QSpinBox;

namespace ovb {

class EditorHost;

enum class RemovalRange { Multisamples, Sounds };

class TDeleteMultipleForm : public QDialog {
    Q_OBJECT
  public:
    // Both spin edits start at current (brought into their range).
    TDeleteMultipleForm(EditorHost& host, RemovalRange kind, int current,
                        QWidget* parent = nullptr);

    QSpinBox* fromEdit() const { return from_; }
    QSpinBox* toEdit() const { return to_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* cancelButton() const { return cancel_; }
    // Whether the bank was changed.
    bool removed() const { return removed_; }

  private:
    void removeClicked();

    EditorHost& host_;
    RemovalRange kind_;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool removed_ = false;
};

// Runs the window modally over parent's window and refreshes the views when it removed records.
void RunRangeRemoval(EditorHost& host, QWidget* parent, RemovalRange kind, int current);

} // namespace ovb
