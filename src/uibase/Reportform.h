#pragma once
// The one report window that jobs share to show their findings: a read-only text box filling the
// window, lines kept as they are (no wrapping) so that columns and paths stay readable. The
// findings can be copied or saved as a text file; Escape closes the window.
#include <QDialog>
#include <QStringList>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace ovb {

struct FileDialogRequest;

class TFormReport : public QDialog {
    Q_OBJECT
  public:
    explicit TFormReport(QWidget* parent = nullptr);

    // Replaces the caption and the whole text.
    void setReport(const QString& caption, const QStringList& lines);

    QPlainTextEdit* textBox() const { return textBox_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* saveButton() const { return save_; }

    // Asks where to save the text; an empty answer is Cancel. Tests answer here.
    std::function<QString(const FileDialogRequest&)> saveDialog;

  private:
    void copyText();
    void saveText();

    QPlainTextEdit* textBox_;
    QPushButton* copy_;
    QPushButton* save_;
};

} // namespace ovb
