#pragma once
// The replace dialog of the library path tool: the old text and the new text, both preset to
// the library's common path; "..." fills the new text from a chosen folder. Cancel leaves both
// texts empty, so nothing is replaced.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace ovb {

class TMyReplaceStringForm : public QDialog {
    Q_OBJECT
  public:
    explicit TMyReplaceStringForm(const QString& text, QWidget* parent = nullptr);

    // The texts as the closing button left them.
    const QString& oldText() const { return oldText_; }
    const QString& newText() const { return newText_; }

    QLineEdit* oldEdit() const { return oldEdit_; }
    QLineEdit* newEdit() const { return newEdit_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* replaceButton() const { return replace_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void browse();

    QLineEdit* oldEdit_ = nullptr;
    QLineEdit* newEdit_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* replace_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QString oldText_, newText_;
};

} // namespace ovb
